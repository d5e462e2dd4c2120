#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

// Data written at an offset of a sparse file.
using SparsePiece = std::pair<std::int64_t, std::string>;

// Makes `path` a file of `length` bytes that holds only `pieces`: everything else is a hole the
// file system keeps no blocks for. Creates the parent folders as needed; returns `path`.
std::filesystem::path writeSparseFile(const std::filesystem::path& path, std::int64_t length,
                                      const std::vector<SparsePiece>& pieces);

// Bytes this process has read through read calls so far, cached or not.
std::int64_t bytesReadByThisProcess();
