#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

#include "platform/Result.h"

namespace platform {

// The whole content of the regular file at `path` (platform/RegularFile.h: never through a
// symbolic link, never a FIFO or device), when it holds at most `maxBytes` bytes: every file
// Quillo reads for itself is read here. Fails with `file_too_large` beyond that, without reading
// more than `maxBytes + 1` bytes (so a huge or growing file cannot exhaust memory); with
// `too_many_symbolic_link_levels` for a link, `is_a_directory` for a folder and `invalid_argument` for
// anything else that is not a regular file. Files that report no size (the kernel's own, such as
// those of /proc) are read up to the cap too.
Result<std::string> readFileContents(const std::filesystem::path& path, std::size_t maxBytes);

} // namespace platform
