#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "records/CategoryResult.h"
#include "scan/ProgressSink.h"

// The duplicates module: files of identical content in the user's own folders, every copy offered
// but the oldest.
namespace DiskScanner {

// The smallest file the duplicates module offers, in bytes.
inline constexpr std::int64_t minimumDuplicateSize = 1'000'000;

// `findDuplicates` over the user's own folders (the home folder's entries but "Library" and
// "Applications") for files of at least `minimumDuplicateSize` bytes.
// Precondition: called from a scan's own thread, outside the work pool.
CategoryResult duplicates(const ProgressSink& progress);

// Every copy of a file of identical content below `roots`, the oldest of each set (by creation
// date, files without one last, ties to the file met first) staying unoffered. Each item names
// the copy that stays, carries what the copy was (so that it is compared again before it goes)
// and its size is the space it takes: its allocated size where holes make that smaller than
// its length. Items are largest first, at most 500, none recommended; `accessDenied` is never
// set. Reports "Listing files…" at
// 0.02, then once per length shared by two files or more, in the order of `FilesBySize`, up to
// 1.0; with no such length, once more at 1.0. Sets are worked out on the shared pool ahead of
// the reports, but items and reports come out exactly as if worked out one after another.
// Precondition: called from a scan's own thread, outside the work pool.
CategoryResult findDuplicates(const std::vector<std::filesystem::path>& roots, std::int64_t minimumSize,
                              const ProgressSink& progress);

} // namespace DiskScanner
