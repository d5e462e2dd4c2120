#pragma once

#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/AppBundle.h"
#include "platform/ApplicationLookup.h"

namespace DiskScanner {

// The ".app" bundles in the application folders (applicationRoots): the direct entries whose
// extension is exactly "app", and those of each direct sub-folder (one level down, so that
// "Utilities" is searched). Hidden entries are left out; a folder that cannot be read adds
// nothing. In listing order, neither sorted nor freed of duplicates. Never fails.
std::vector<std::filesystem::path> installedApps(bool includingSystem);

// The bundles of installedApps that can be read and have an identifier, in the same order.
std::vector<platform::AppBundle> installedBundles(bool includingSystem);

// The lookup of applications by bundle identifier for one scan: over every installed
// application, the system's included.
platform::ApplicationLookup installedApplications();

// The bundle identifiers of the installed applications running now, the application ids
// (Flatpak) and snap names (Snap) of the sandboxed ones, as their caches' items carry them, and
// the identifiers of the AppImages and home-installed applications running (LinuxApps.h).
std::set<std::string, std::less<>> runningApplications();
// Answer runningApplications in the system's place, and give it back to the system. Not safe
// while a scan runs.
void setRunningApplicationsForTesting(std::set<std::string, std::less<>> identifiers);
void resetRunningApplicationsForTesting();

} // namespace DiskScanner
