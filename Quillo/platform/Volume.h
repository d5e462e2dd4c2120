#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/MountPoints.h"
#include "platform/Result.h"

namespace platform {

// What the system tells about a volume; a value it does not give is absent.
struct VolumeFigures {
    // The name people know the volume by (volumeName below).
    std::optional<std::string> name;
    std::optional<std::int64_t> totalCapacity;
    // The space the system would free for important work (purgeable space included). Linux keeps
    // none back, so it is never given there.
    std::optional<std::int64_t> importantUsageCapacity;
    // The space an ordinary user may still fill.
    std::optional<std::int64_t> availableCapacity;
};

// The figures of the volume that holds `folder`.
Result<VolumeFigures> volumeFigures(const std::filesystem::path& folder);

// The name people know a mounted volume by. Linux: its file-system label where it has one, else
// the platform's name for the computer's own disk for "/", else the name of the folder it is
// mounted on.
std::string volumeName(const MountedFileSystem& mount);

} // namespace platform
