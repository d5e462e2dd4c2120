#pragma once

#include <cstddef>
#include <filesystem>
#include <stop_token>
#include <vector>

namespace DiskScanner {

// Indexes into a list of files, in increasing order.
using IndexClass = std::vector<std::size_t>;

// The classes (two files or more each) of files whose contents are byte for byte the same,
// found by reading the files side by side in chunks and splitting a class where their bytes
// differ, so that a file is read only up to its first difference from every other. Holes are
// not read: where every file of a class has one, the class passes it whole; where only some
// have one, the others' bytes there must be zeros. Exactly the classes a whole-content digest
// would give, without trusting a digest. A file that cannot be opened as a regular file or read
// to its end joins no class; after a stop request none does. Classes are ordered by their first
// index. Holds one descriptor and one chunk per file open at once: meant for small groups.
std::vector<IndexClass> sameContentClasses(const std::vector<std::filesystem::path>& files, std::stop_token stop);

} // namespace DiskScanner
