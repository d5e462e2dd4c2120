#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <stop_token>
#include <system_error>

#include "platform/PathPatterns.h"

namespace FileSize {

// What a measurement takes in beyond the defaults.
struct Reach {
    // Also count what other file systems mounted below the location hold, as `du` without `-x`.
    bool crossMounts = false;
    // Left out of the count, folders with all they hold (platform::WalkOptions::leaveOut); a
    // location it covers counts as nothing. Must outlive the call.
    const platform::PathPatterns* leaveOut = nullptr;
};

// Bytes the file or folder at `location` occupies on disk, folders with everything below them
// (hidden files and package contents included) but other file systems mounted there, which
// removing the folder leaves in place (`reach` may take those in, and leave things out). A symbolic link counts as nothing and is never
// followed; hard-linked files count each time they are met. Never fails: what cannot be read
// counts as 0. Blocks its thread for the walk, which runs on the shared work pool; a stop request
// ends the walk at its next entry with the total counted so far. `unreadableFolder`, where given,
// is told of each folder that could not be read (platform::WalkOptions::unreadableFolder).
std::int64_t allocated(const std::filesystem::path& location, std::stop_token stop = {},
                       const std::function<void(const std::filesystem::path&, std::error_code)>& unreadableFolder = {},
                       Reach reach = {});

} // namespace FileSize
