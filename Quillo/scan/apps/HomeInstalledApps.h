#pragma once

#include <vector>

#include "scan/apps/LinuxApp.h"
#include "scan/apps/UserDesktopFiles.h"

namespace DiskScanner {

// The applications unpacked into the home folder: each top-level folder of one of
// WellKnownFolders::homeAppFolders ("~/opt/idea-2024.1") that holds the program a desktop entry
// of the user's starts by its full path. The folder must be a folder (not a link) and not an
// ".app" bundle, which the bundles' own search finds; a program anywhere else makes no
// application, so that no folder is ever taken from a launcher's say-so alone. Named after its
// first entry (by id), known by that entry's id; related are its entries, their icons and the
// settings, data and cache folders named after the entry's name or the folder's. Last used when
// that entry's program was last read.
std::vector<LinuxApp> homeInstalledApps(const UserDesktopFiles& desktop);

} // namespace DiskScanner
