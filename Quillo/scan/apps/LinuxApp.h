#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "records/Date.h"

namespace DiskScanner {

// An application installed the ways Linux users install them rather than as a bundle.
struct LinuxApp {
    enum class Kind : std::uint8_t { flatpak, appImage, homeInstalled };

    Kind kind = Kind::appImage;
    // What removing it takes away: a Flatpak's folder in its installation (which only Flatpak's
    // uninstall removes), the AppImage file, or the top-level folder a home-installed application
    // was unpacked into.
    std::filesystem::path location;
    std::string name;
    // What it is known by, also while it runs (runningApplications): a Flatpak's application id,
    // an AppImage's file name, a home-installed application's desktop-file id without ".desktop".
    std::string identifier;
    // The desktop entries that start it, the one that draws its icon first: the one a Flatpak
    // exports (which its uninstall takes away), else those in the user's applications folder.
    std::vector<std::filesystem::path> desktopEntries;
    // Every place its related files may be, whether anything is there or not, in the order they
    // are offered; all formed from plain names.
    std::vector<std::filesystem::path> relatedLocations;
    OptionalDate lastUsed;
};

} // namespace DiskScanner
