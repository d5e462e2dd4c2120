#pragma once

#include <set>
#include <string>
#include <vector>

#include "platform/RunningApplications.h"
#include "scan/apps/LinuxApp.h"

namespace DiskScanner {

// The applications installed the Linux ways: the Flatpak applications (flatpakApps), then the
// AppImages and the home-installed applications (homeFolderApps). None where the system keeps no
// such places. A Flatpak application is named after the desktop entry its installation exports,
// else after its id (displayName); its related files are its data in "~/.var/app". Last used
// when that data folder was last read, else its deployment.
std::vector<LinuxApp> installedLinuxApps();

// The AppImages (AppImages.h), then the home-installed applications (HomeInstalledApps.h).
std::vector<LinuxApp> homeFolderApps();

// The identifiers of those of `apps` that `programs` shows running: an AppImage some process
// comes from, a home-installed application whose folder holds a process's executable (both by
// their real paths). Flatpak applications are told apart by their sandbox instead
// (platform::runningSandboxedApplications).
std::set<std::string, std::less<>> runningHomeFolderApps(const std::vector<LinuxApp>& apps,
                                                         const platform::RunningPrograms& programs);

} // namespace DiskScanner
