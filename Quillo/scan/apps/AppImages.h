#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "scan/apps/LinuxApp.h"
#include "scan/apps/UserDesktopFiles.h"

namespace DiskScanner {

// The AppImages of the home folder: regular files whose name ends in ".AppImage" (in any case)
// directly in one of WellKnownFolders::appImageFolders, hidden ones left out. Each is named by
// appImageName; its related files are the user's desktop entries that run it, their icons and
// the settings, data and cache folders named after it. Last used when it was last read.
std::vector<LinuxApp> appImages(const UserDesktopFiles& desktop);

// The name an AppImage goes by: its file name up to the first "-" followed by a digit, else up
// to ".AppImage" (in any case): "Obsidian" for "Obsidian-1.5.3.AppImage". The whole file name
// where either would leave nothing.
std::string appImageName(std::string_view fileName);

} // namespace DiskScanner
