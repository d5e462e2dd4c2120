#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stop_token>
#include <string>

namespace DiskScanner {

// The SHA-256 of the first `limit` bytes of `file` (all of it without a limit) as 64 lower-case
// hexadecimal digits. Nothing when the file cannot be opened as a regular file, a read fails
// part-way (a digest of part of a file would make different files look the same) or the stop
// was requested.
std::optional<std::string> hash(const std::filesystem::path& file, std::optional<std::int64_t> limit,
                                std::stop_token stop = {});

// A digest of the whole content of `file` for which holes need not be read: files of one length
// have equal digests exactly when their bytes are equal (as far as SHA-256 tells). Not the
// SHA-256 of the bytes: blocks of zeros are left out and the others go in with their place.
// Nothing where `hash` would give nothing.
std::optional<std::string> contentDigestSkippingHoles(const std::filesystem::path& file, std::stop_token stop = {});

} // namespace DiskScanner
