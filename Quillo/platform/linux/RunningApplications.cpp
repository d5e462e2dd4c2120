#include "platform/RunningApplications.h"

#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

#include <map>

#include "platform/DirectoryListing.h"

namespace platform {

namespace {

// The kernel reports executables by their real path, so bundles are keyed the same way.
std::filesystem::path realPath(const std::filesystem::path& path)
{
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved))
        return resolved;
    return path;
}

std::optional<std::filesystem::path> executableOf(std::string_view processId)
{
    const std::string link = "/proc/" + std::string(processId) + "/exe";
    char target[PATH_MAX];
    const ssize_t length = ::readlink(link.c_str(), target, sizeof target);
    if (length <= 0 || static_cast<std::size_t>(length) >= sizeof target)
        return std::nullopt;
    std::string path(target, static_cast<std::size_t>(length));
    constexpr std::string_view deleted = " (deleted)";
    if (path.ends_with(deleted))
        path.resize(path.size() - deleted.size());
    return path;
}

bool isProcessId(std::string_view name)
{
    return !name.empty() && name.find_first_not_of("0123456789") == std::string_view::npos;
}

} // namespace

std::set<std::string, std::less<>> runningApplicationIdentifiers(const std::vector<AppBundle>& installed)
{
    std::map<std::filesystem::path, const std::string*> byExecutableFolder;
    for (const AppBundle& bundle : installed)
        byExecutableFolder.try_emplace(realPath(bundle.location) / "Contents/MacOS", &bundle.identifier);

    std::set<std::string, std::less<>> running;
    auto processes = listDirectory("/proc");
    if (!processes || byExecutableFolder.empty())
        return running;
    for (const DirectoryEntry& process : *processes) {
        if (!isProcessId(process.name))
            continue;
        const auto executable = executableOf(process.name);
        if (!executable)
            continue;
        // Any folder above the executable may be a bundle's "Contents/MacOS".
        for (auto folder = executable->parent_path(); folder.has_relative_path(); folder = folder.parent_path()) {
            if (auto found = byExecutableFolder.find(folder); found != byExecutableFolder.end()) {
                running.insert(*found->second);
                break;
            }
        }
    }
    return running;
}

} // namespace platform
