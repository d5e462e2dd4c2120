#pragma once

#include <filesystem>
#include <functional>
#include <stop_token>
#include <string_view>
#include <vector>

#include "scan/ProgressSink.h"

namespace DiskScanner {

// What the Cache Directory Tagging Specification writes at the start of a CACHEDIR.TAG file.
inline constexpr std::string_view cacheDirectoryTagSignature = "Signature: 8a477f597d28d172789f06886806bc55";

// Told, in the order they finish, of each root searched, with how many are done.
using RootSearched = std::function<void(const std::filesystem::path& root, std::size_t finished)>;

// The folders at or below `roots` that hold a CACHEDIR.TAG file beginning with the signature:
// build folders their tools mark as rebuildable (Cargo's "target", and many others). The roots
// are searched at the same time, each with the parallel tree walk and the skips of the searches
// of the user's files (hidden entries, package contents, `skippedFolders`), except that a folder
// is looked at for its tag before it is skipped. Neither a tagged folder nor any of `leftOut` is
// entered, nor what the scan leaves out, nor another file system mounted below a root. In the
// order of the roots, and within one in the order a serial walk meets them.
// Precondition: called from a scan's own thread, outside the work pool.
std::vector<std::filesystem::path> taggedBuildFolders(const std::vector<std::filesystem::path>& roots,
                                                      const std::vector<std::filesystem::path>& leftOut,
                                                      const RootSearched& searched, const ProgressSink& scan);

} // namespace DiskScanner
