#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <stop_token>
#include <vector>

#include "platform/FileAttributes.h"
#include "records/Date.h"
#include "scan/DiskScanner.h"
#include "scan/ProgressSink.h"

// The duplicate finder's first stage: the files worth comparing, by their length.
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
// Names never examined nor entered below a root: `skippedFolders` and the usual build, vendor
// and library folders. Compared exactly.
const FolderNames& duplicateSkippedFolders();

// The regular files of at least `minimumSize` bytes below each root (not the root itself),
// roots in order, walked in parallel but listed in the order of a serial walk. Hidden files,
// package contents, `duplicateSkippedFolders` and what the scan leaves out are left out; symbolic
// links never followed. A stop request returns what was found so far.
FilesBySize filesBySize(const std::vector<std::filesystem::path>& roots, std::int64_t minimumSize,
                        const ProgressSink& scan = {});

} // namespace DiskScanner
