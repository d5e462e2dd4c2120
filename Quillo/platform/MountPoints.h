#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// One mounted file system as this process sees it.
struct MountedFileSystem {
    std::uint64_t device = 0;
    std::filesystem::path mountPoint;
    // What was mounted: a device's path, or a name such as "tmpfs".
    std::string source;
    // The file system's type: "ext4", "tmpfs", "proc", ...
    std::string type;
};

// Every mount this process sees, in the order they were made. Linux: /proc/self/mountinfo.
std::vector<MountedFileSystem> mountedFileSystems();
// The mounts a scan looks for other volumes' trashes on: mountedFileSystems(), or the mounts of
// the file in the same format that QUILLO_MOUNTINFO names. Test runs of the command line name one
// so that they never reach a trash on a real drive of the machine.
std::vector<MountedFileSystem> mountedFileSystemsForScans();

// Whether a file system of this type is the kernel's view of itself (processes, devices, control
// groups, ...) rather than storage a user keeps files on.
bool isPseudoFileSystem(std::string_view type);

// The places strictly below `folder` where something is mounted (folders, and files a file was
// bound onto), spelled below `folder` as given, each once. Nothing is mounted below a link.
std::vector<std::filesystem::path> mountPointsBelow(const std::filesystem::path& folder);

} // namespace platform
