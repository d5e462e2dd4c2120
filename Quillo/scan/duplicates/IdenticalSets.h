#pragma once

#include <stop_token>
#include <vector>

#include "scan/duplicates/FilesBySize.h"

// The duplicate finder's second stage: files of one length grouped by identical content. Files
// sharing storage are collapsed, the rest grouped by a SHA-256 digest of their first 64 KiB, and
// groups of larger files confirmed on their whole content.
namespace DiskScanner {

using IdenticalSets = std::vector<std::vector<FileInfo>>;

// The sets (two files or more each) of identical content among `files`, which all have one
// length. Of files sharing storage only the first counts; a file that cannot be read to its end
// joins no set. Sets come grouped as their first 64 KiB first appeared in `files`, and within
// such a group in order of first appearance; each set keeps the order of `files`.
IdenticalSets identicalSets(const std::vector<FileInfo>& files, std::stop_token stop = {});

} // namespace DiskScanner
