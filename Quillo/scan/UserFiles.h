#pragma once

#include <filesystem>
#include <functional>
#include <stop_token>
#include <vector>

#include "platform/TreeWalk.h"
#include "scan/DiskScanner.h"
#include "scan/ProgressSink.h"

// The searches of the user's own files (large files, duplicates): where they start and how they
// walk.
namespace DiskScanner {

// The entries of the home folder that are not hidden, files included, in listing order, leaving
// out the "Library" and "Applications" folders, which hold what applications keep rather than
// what the user made, and the folders where another file system is mounted (a network share, a
// drive): the searches stay on the home folder's own. None when the home folder cannot be listed.
std::vector<std::filesystem::path> userContentRoots();

using RegularFileVisitor = std::function<void(const platform::WalkEntry&, const platform::FileAttributes&)>;

// Walks below `root` (on the shared pool, see platform::walkTree) and calls `visit`, possibly
// concurrently, with every regular file and its attributes (`keys`). Hidden entries and package
// contents are left out, and so is every entry named in `pruned` or covered by what the scan
// leaves out, a folder with all it holds; other file systems mounted below `root` are not entered.
// Stops when the scan is cancelled.
void walkUserFiles(const std::filesystem::path& root, const FolderNames& pruned, platform::AttributeKeys keys,
                   const RegularFileVisitor& visit, const ProgressSink& scan);

} // namespace DiskScanner
