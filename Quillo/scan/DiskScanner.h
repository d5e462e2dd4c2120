#pragma once

#include <filesystem>
#include <set>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "records/ScanItem.h"
#include "scan/Candidate.h"
#include "scan/ProgressSink.h"

// The scanning engine's shared stage. Each scan routine (one file each beside this one) lists
// Candidates, hands them to `measure`, and returns a CategoryResult; routines keep no state
// between calls and absorb every file-system error where it happens.
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

struct MeasureOptions {
    // Keep the candidates that take no space (empty files and folders, links) with size 0, as long
    // as they are still there; by default they are dropped.
    bool keepEmpty = false;
};

// Measures every candidate concurrently on the shared work pool, drops what takes no space (see
// MeasureOptions), fills in missing dates, and returns the items largest first (a stable sort: equal sizes keep the
// order their measurements finished in). Reports once per candidate in the order measurements
// finish, waiting for each report to return before taking the next result, dropped candidates
// included; an empty list reports once with fraction 1.0 and an empty path. After a stop request,
// candidates not yet measured are dropped but still reported.
// Precondition: called from a thread outside the work pool (a scan's own thread), since it
// waits for results without working on them.
std::vector<ScanItem> measure(std::vector<Candidate> candidates, const ProgressSink& progress,
                              MeasureOptions options = {});

} // namespace DiskScanner
