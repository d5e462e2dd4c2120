#pragma once

#include <filesystem>
#include <vector>

#include "platform/FlatpakApps.h"
#include "platform/MountPoints.h"
#include "records/Date.h"

// What scan routines ask of the system beyond listing and measuring files: where applications
// and their desktop entries are installed, whether Full Disk Access was granted, the time and the
// mounted file systems (which applications run is asked in apps/InstalledApps.h). A routine asks
// each once, when it starts. Tests answer in the system's place with the setters
// below (like setHomeForTesting, none of them is safe while a scan runs).
namespace DiskScanner {

// The folders applications are installed in, in the order they are searched: the shared
// applications folder, the one in the home folder and, when asked, the system's own.
std::vector<std::filesystem::path> applicationRoots(bool includingSystem);

// Whether the system lets this process read the user's protected folders.
bool hasFullDiskAccess();

// The current time.
Date now();

// The folders whose "applications" folder holds desktop entries, most important first
// (WellKnownFolders::applicationDataFolders of `home`).
std::vector<std::filesystem::path> applicationDataFolders();

// The mounted file systems, whose top-directory trashes the Trash lists
// (platform::mountedFileSystemsForScans).
std::vector<platform::MountedFileSystem> mountedFileSystems();

// The Flatpak applications installed for the user and for the system
// (platform::installedFlatpakApps).
std::vector<platform::FlatpakApp> flatpakApps();

// The shared and the system applications folders, in place of "/Applications" and
// "/System/Applications"; the home folder's own keeps following `home`.
void setApplicationFoldersForTesting(std::filesystem::path applications, std::filesystem::path systemApplications);
void setFullDiskAccessForTesting(bool granted);
void setNowForTesting(Date now);
void setApplicationDataFoldersForTesting(std::vector<std::filesystem::path> folders);
void setMountedFileSystemsForTesting(std::vector<platform::MountedFileSystem> mounts);
void setFlatpakAppsForTesting(std::vector<platform::FlatpakApp> apps);
// Back to the system's answers, for all of the above.
void resetSystemAnswersForTesting();

} // namespace DiskScanner
