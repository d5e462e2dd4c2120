#pragma once

#include <cstdint>
#include <filesystem>
#include <stop_token>
#include <vector>

#include "records/CategoryResult.h"
#include "records/ScanItem.h"
#include "scan/ProgressSink.h"

namespace DiskScanner {

// The regular files at or above `threshold` bytes on disk in the user's own folders (the home
// folder's entries but "Library" and "Applications"; hidden files, packages and the folders of
// `skippedFolders` are never entered). Each root is walked on the shared pool at the same time
// as the others, with one report per finished root. Largest first, at most 500, none
// recommended; `accessDenied` is never set. Which items come back never depends on scheduling:
// files of equal size keep the order of their roots in the home folder and of the walk.
// Precondition: called from a scan's own thread, outside the work pool.
CategoryResult largeFiles(std::int64_t threshold, const ProgressSink& progress);

// The large files of one root (a file or a folder), in the order a serial walk meets them, the
// root itself first; unsorted. Tagged `old` when last read (failing that, modified) more than
// 180 days ago. Leaves out what the scan leaves out; a stop request ends the walk with what was
// found so far.
std::vector<ScanItem> findLargeFiles(const std::filesystem::path& root, std::int64_t threshold,
                                     const ProgressSink& scan = {});

} // namespace DiskScanner
