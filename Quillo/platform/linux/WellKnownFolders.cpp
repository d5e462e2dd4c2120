#include "platform/WellKnownFolders.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>

namespace platform::WellKnownFolders {

namespace {

// The freedesktop.org base directories ignore a relative value.
std::optional<std::filesystem::path> absoluteVariable(const char* name)
{
    const char* value = std::getenv(name);
    if (!value || value[0] != '/')
        return std::nullopt;
    return std::filesystem::path(value);
}

std::filesystem::path dataHome(const std::filesystem::path& home)
{
    return absoluteVariable("XDG_DATA_HOME").value_or(home / ".local/share");
}

std::vector<std::filesystem::path> systemDataFolders()
{
    const char* value = std::getenv("XDG_DATA_DIRS");
    const std::string folders = value && value[0] ? value : "/usr/local/share:/usr/share";
    std::vector<std::filesystem::path> result;
    std::size_t start = 0;
    while (start <= folders.size()) {
        const std::size_t end = std::min(folders.find(':', start), folders.size());
        if (end > start && folders[start] == '/')
            result.emplace_back(folders.substr(start, end - start));
        start = end + 1;
    }
    return result;
}

} // namespace

std::filesystem::path trashFiles(const std::filesystem::path& home) { return dataHome(home) / "Trash/files"; }

std::filesystem::path userSettings(const std::filesystem::path& home)
{
    return absoluteVariable("XDG_CONFIG_HOME").value_or(home / ".config");
}

std::filesystem::path userData(const std::filesystem::path& home) { return dataHome(home); }

std::filesystem::path userCaches(const std::filesystem::path& home)
{
    return absoluteVariable("XDG_CACHE_HOME").value_or(home / ".cache");
}

std::filesystem::path inHome(const std::filesystem::path& home, std::string_view relative)
{
    constexpr std::string_view cacheFolder = ".cache/";
    if (relative.starts_with(cacheFolder))
        return userCaches(home) / relative.substr(cacheFolder.size());
    return home / relative;
}

std::vector<std::filesystem::path> applicationDataFolders(const std::filesystem::path& home)
{
    const auto userData = dataHome(home);
    std::vector<std::filesystem::path> folders{userData, userData / "flatpak/exports/share",
                                               "/var/lib/flatpak/exports/share"};
    for (auto& folder : systemDataFolders()) {
        if (std::find(folders.begin(), folders.end(), folder) == folders.end())
            folders.push_back(std::move(folder));
    }
    return folders;
}

} // namespace platform::WellKnownFolders
