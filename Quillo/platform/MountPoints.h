#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace platform {

// One mounted file system as this process sees it.
struct MountedFileSystem {
    std::uint64_t device = 0;
    std::filesystem::path mountPoint;
    // What was mounted: a device's path, or a name such as "tmpfs".
    std::string source;
};

// Every mount this process sees, in the order they were made. Linux: /proc/self/mountinfo.
std::vector<MountedFileSystem> mountedFileSystems();

// The places strictly below `folder` where something is mounted (folders, and files a file was
// bound onto), spelled below `folder` as given, each once. Nothing is mounted below a link.
std::vector<std::filesystem::path> mountPointsBelow(const std::filesystem::path& folder);

} // namespace platform
