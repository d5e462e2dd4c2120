#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/DesktopEntries.h"

namespace DiskScanner {

// The applications the desktop knows by their desktop entries, looked up by the name of a folder
// they keep (a cache, a sandbox's data). Building it reads nothing; build it once per scan and
// ask it many times.
class DesktopApps {
public:
    DesktopApps() = default;
    // `entries` most important first (platform::desktopEntries).
    explicit DesktopApps(std::vector<platform::DesktopEntry> entries);

    // The application a folder is named after: the entry whose desktop-file id (without
    // ".desktop"), else whose `StartupWMClass`, else whose program (`Exec`) is the folder name,
    // ignoring case; the most important entry where several match alike. A Flatpak entry's
    // program is Flatpak's own, so it matches by id and window class only. Null when none does.
    const platform::DesktopEntry* forFolder(std::string_view folderName) const;

private:
    using Index = std::unordered_map<std::string, std::size_t>;
    static void add(Index& index, std::string_view key, std::size_t position);

    std::vector<platform::DesktopEntry> entries_;
    Index byID_;
    Index byWindowClass_;
    Index byProgram_;
};

// The desktop entries of the folders the scan is told about (applicationDataFolders).
DesktopApps installedDesktopApps();

} // namespace DiskScanner
