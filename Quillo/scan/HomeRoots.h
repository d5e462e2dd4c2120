#pragma once

#include <filesystem>
#include <vector>

namespace DiskScanner {

// Where searches of the user's own files (large files, duplicates) start: the entries of the
// home folder that are not hidden, files included, in listing order, leaving out the "Library"
// and "Applications" folders, which hold what applications keep rather than what the user made.
// None when the home folder cannot be listed.
std::vector<std::filesystem::path> userContentRoots();

} // namespace DiskScanner
