#pragma once

#include <filesystem>
#include <set>
#include <string>
#include <string_view>
#include <system_error>

// What every scan routine shares: the home folder its places are in, how paths are shown, and the
// folder names scans leave alone. Each routine (routines/, one file each) lists Candidates, hands
// them to `measure` (Measure.h) and returns a CategoryResult; routines keep no state between
// calls and absorb every file-system error where it happens.
namespace DiskScanner {

// The user's home folder, made once on first use. Scan routines form their locations by
// appending relative paths to it.
const std::filesystem::path& home();
// Points `home` at another folder, for tests that build a fixture home. Not safe while a scan
// runs.
void setHomeForTesting(std::filesystem::path folder);

// `path` with the home folder written as "~" ("~/Documents/a.txt"); other paths unchanged.
std::string abbreviatedPath(const std::filesystem::path& path);

// Whether a file-system error means access was refused: EACCES or EPERM.
bool isPermissionError(std::error_code error);

using FolderNames = std::set<std::string, std::less<>>;
// Folders in the caches folder that system services keep state in; never offered.
const FolderNames& protectedCaches();
// Dependency and build folders the large-file walk and the duplicate finder never enter.
const FolderNames& skippedFolders();

} // namespace DiskScanner
