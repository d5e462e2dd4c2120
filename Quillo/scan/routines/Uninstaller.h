#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

#include "records/CategoryResult.h"
#include "records/ScanItem.h"
#include "scan/ProgressSink.h"

namespace DiskScanner {

// Every installed application that is not the system vendor's ("com.apple." identifiers) nor
// Quillo itself, each one item with the support files it keeps in the user's Library, so that
// removing the item removes the app and its traces; a support file another installed
// application may use too (see withoutFilesOfStayingApps) goes with no item. Never recommended;
// tagged `running` while the app runs and `old` when it was last used more than 180 days ago.
// Containers are offered only with Full Disk Access; `accessDenied` is never set.
//
// Linux: also the applications installed the Linux ways (LinuxApps.h), each one item with the
// related files that exist, its identifier as `bundleID` and its first desktop entry as icon. A
// Flatpak's item is its folder in the installation, to be uninstalled through Flatpak
// (ScanItem::Removal), with its data in "~/.var/app"; its size is that of its own deployment
// and data, runtimes shared with others not counted.
CategoryResult uninstaller(const ProgressSink& progress);

// The support files of one application that exist: in the user's Library, its folders and files
// under "Application Support", "Caches" and "Logs" (by identifier, then by name), its
// preferences, saved state, web storage and launch agent (by identifier), and, when asked, its
// container. Each path is taken once even where identifier and name differ only in case. Paths
// an identifier or name would lead out of their folder ("..", "/") are not formed.
std::vector<std::filesystem::path> relatedFiles(std::string_view bundleID, std::string_view appName,
                                                bool includeContainers);

// The items, about to be removed together, without the extra locations that an installed
// application not among them may still use: all of an item's when a copy of its application
// (the same identifier) stays, else those another application's own identifier or name leads
// to, or (Linux) that are named after an application a desktop entry starts, or after its icon,
// unless that entry starts one of the items. Installed applications are looked up now, so one
// installed since the scan keeps its files.
std::vector<ScanItem> withoutFilesOfStayingApps(std::vector<ScanItem> items);

} // namespace DiskScanner
