#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

#include "records/CategoryResult.h"
#include "records/Date.h"
#include "platform/FileAttributes.h"
#include "scan/DiskScanner.h"
#include "scan/ProgressSink.h"

// The duplicate finder: files of identical content in the user's own folders, every copy offered
// but the oldest. Files are bucketed by exact length, files sharing storage are collapsed, the
// rest grouped by a SHA-256 digest of their first 64 KiB, and groups of larger files confirmed on
// their whole content.
namespace DiskScanner {

// A file the duplicate finder considers.
struct FileInfo {
    std::filesystem::path url;
    // The length in bytes as the walk saw it (not the space on disk).
    std::int64_t size = 0;
    // Absent where the file system keeps no creation dates.
    OptionalDate created;
    // Files that share it share their storage, so removing one of them frees nothing.
    std::optional<platform::ContentIdentifier> contentID;
    // The space the file takes on disk: less than its length where it has holes.
    std::optional<std::int64_t> allocatedSize;
    OptionalDate modified;

    bool operator==(const FileInfo&) const = default;
};

// Files by their length, largest length first; each list in the order the walk met the files.
using FilesBySize = std::map<std::int64_t, std::vector<FileInfo>, std::greater<>>;
using IdenticalSets = std::vector<std::vector<FileInfo>>;

// The smallest file the duplicates module offers, in bytes.
inline constexpr std::int64_t minimumDuplicateSize = 1'000'000;

// Names never examined nor entered below a root: `skippedFolders` and the usual build, vendor
// and library folders. Compared exactly.
const FolderNames& duplicateSkippedFolders();

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

// The regular files of at least `minimumSize` bytes below each root (not the root itself),
// roots in order, walked in parallel but listed in the order of a serial walk. Hidden files,
// package contents and `duplicateSkippedFolders` are left out; symbolic links never followed. A
// stop request returns what was found so far.
FilesBySize filesBySize(const std::vector<std::filesystem::path>& roots, std::int64_t minimumSize,
                        std::stop_token stop = {});

// The sets (two files or more each) of identical content among `files`, which all have one
// length. Of files sharing storage only the first counts; a file that cannot be read to its end
// joins no set. Sets come grouped as their first 64 KiB first appeared in `files`, and within
// such a group in order of first appearance; each set keeps the order of `files`.
IdenticalSets identicalSets(const std::vector<FileInfo>& files, std::stop_token stop = {});

// The SHA-256 of the first `limit` bytes of `file` (all of it without a limit) as 64 lower-case
// hexadecimal digits. Nothing when the file cannot be opened as a regular file, a read fails
// part-way (a digest of part of a file would make different files look the same) or the stop
// was requested.
std::optional<std::string> hash(const std::filesystem::path& file, std::optional<std::int64_t> limit,
                                std::stop_token stop = {});

// A digest of the whole content of `file` for which holes need not be read: files of one length
// have equal digests exactly when their bytes are equal (as far as SHA-256 tells). Not the
// SHA-256 of the bytes: blocks of zeros are left out and the others go in with their place.
// Nothing where `hash` would give nothing.
std::optional<std::string> contentDigestSkippingHoles(const std::filesystem::path& file, std::stop_token stop = {});

} // namespace DiskScanner
