#pragma once

#include <filesystem>
#include <map>
#include <string>

// Everything below `root` that a restore must bring back, by path relative to it: each entry's
// type and permission bits, a file's bytes, a link's target. Two snapshots are equal when the
// trees are byte for byte the same.
std::map<std::string, std::string> snapshotOf(const std::filesystem::path& root);

// A tree worth restoring under `folder`: nested folders, an empty one, a binary file, a hidden
// file, an executable, a link, a name with a space and one that is not UTF-8.
void makeAwkwardTree(const std::filesystem::path& folder);
