#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

#include "platform/Result.h"

namespace platform {

// The whole content of the regular file at `path` (a symbolic link to one is followed), when it
// holds at most `maxBytes` bytes. Fails with `file_too_large` beyond that, without reading more
// than `maxBytes + 1` bytes (so a huge or growing file cannot exhaust memory); with
// `is_a_directory` for a folder and `invalid_argument` for anything else that is not a regular
// file (a FIFO is never waited on).
Result<std::string> readFileContents(const std::filesystem::path& path, std::size_t maxBytes);

} // namespace platform
