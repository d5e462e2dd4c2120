#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/ApplicationLookup.h"
#include "scan/apps/DesktopApps.h"

// Names folders after the applications they belong to.
namespace AppNames {

struct App {
    std::string name;
    // The application's bundle; absent when no installed application owns the folder.
    std::optional<std::filesystem::path> url;

    bool operator==(const App&) const = default;
};

// The application a folder is named after: when the name holds a "." and an installed
// application has it as bundle identifier (`applications`, built once per scan), that
// application's display name (its bundle's name without ".app") and location; otherwise the
// folder name and no location.
App app(std::string_view folderName, const platform::ApplicationLookup& applications);

// The same, and where no installed application owns the folder, the one whose desktop entry
// names it (DesktopApps::forFolder): the entry's `Name`, and its desktop file as location, from
// which the screens draw the entry's `Icon`.
App app(std::string_view folderName, const platform::ApplicationLookup& applications,
        const DiskScanner::DesktopApps& desktopApps);

} // namespace AppNames
