#include "platform/RunningApplications.h"

#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <map>
#include <optional>
#include <string_view>

#include <glib.h>

#include "platform/DirectoryListing.h"
#include "platform/FileContents.h"

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

std::optional<std::filesystem::path> executableOf(const std::filesystem::path& process)
{
    const auto link = process / "exe";
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

// Both files are a few hundred bytes.
constexpr std::size_t maxProcessFileBytes = 64 * 1024;

// Flatpak writes the sandbox's description, a key file whose "Application" group names the app,
// at the root of every sandbox (runtimes' own processes name none).
std::optional<std::string> flatpakApplicationOf(const std::filesystem::path& process)
{
    auto info = readFileContents(process / "root/.flatpak-info", maxProcessFileBytes);
    if (!info)
        return std::nullopt;
    g_autoptr(GKeyFile) keys = g_key_file_new();
    if (!g_key_file_load_from_data(keys, info->data(), info->size(), G_KEY_FILE_NONE, nullptr))
        return std::nullopt;
    g_autofree char* name = g_key_file_get_string(keys, "Application", "name", nullptr);
    if (!name || !*name)
        return std::nullopt;
    return std::string(name);
}

// snapd runs every app and hook of a snap in a control group "snap.<name>.<app>..." (a scope or a
// service), which /proc/PID/cgroup lists, one hierarchy a line.
std::optional<std::string> snapOf(const std::filesystem::path& process)
{
    auto groups = readFileContents(process / "cgroup", maxProcessFileBytes);
    if (!groups)
        return std::nullopt;
    constexpr std::string_view marker = "/snap.";
    for (auto found = groups->find(marker); found != std::string::npos; found = groups->find(marker, found + 1)) {
        const std::size_t start = found + marker.size();
        const std::size_t end = groups->find_first_of(".\n/", start);
        if (end != std::string::npos && end > start && (*groups)[end] == '.')
            return groups->substr(start, end - start);
    }
    return std::nullopt;
}

// An environment is a few kilobytes; the kernel caps it, with the arguments, at a quarter of the
// stack limit.
constexpr std::size_t maxEnvironmentBytes = 4 * 1024 * 1024;

// The environment is NUL-separated "NAME=value" settings.
std::optional<std::filesystem::path> appImageOf(const std::filesystem::path& process)
{
    auto environment = readFileContents(process / "environ", maxEnvironmentBytes);
    if (!environment)
        return std::nullopt;
    constexpr std::string_view variable = "APPIMAGE=";
    std::string_view rest = *environment;
    while (!rest.empty()) {
        const std::string_view setting = rest.substr(0, rest.find('\0'));
        rest.remove_prefix(std::min(rest.size(), setting.size() + 1));
        if (setting.starts_with(variable) && setting.size() > variable.size())
            return std::filesystem::path(setting.substr(variable.size()));
    }
    return std::nullopt;
}

} // namespace

RunningPrograms runningPrograms(const std::filesystem::path& processes)
{
    RunningPrograms running;
    auto listing = listDirectory(processes);
    if (!listing)
        return running;
    for (const DirectoryEntry& process : *listing) {
        if (!isProcessId(process.name))
            continue;
        if (auto executable = executableOf(process.path))
            running.executables.insert(std::move(*executable));
        if (auto appImage = appImageOf(process.path))
            running.appImages.insert(std::move(*appImage));
    }
    return running;
}

std::set<std::string, std::less<>> runningSandboxedApplications(const std::filesystem::path& processes)
{
    std::set<std::string, std::less<>> running;
    auto listing = listDirectory(processes);
    if (!listing)
        return running;
    for (const DirectoryEntry& process : *listing) {
        if (!isProcessId(process.name))
            continue;
        if (auto app = flatpakApplicationOf(process.path))
            running.insert(std::move(*app));
        else if (auto snap = snapOf(process.path))
            running.insert(std::move(*snap));
    }
    return running;
}

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
        const auto executable = executableOf(process.path);
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
