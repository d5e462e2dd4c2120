#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/Result.h"

namespace platform {

// What the system tells about a volume; a value it does not give is absent.
struct VolumeFigures {
    // The name people know the volume by. Linux: the file-system label where there is one, else
    // the mount point.
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

} // namespace platform
