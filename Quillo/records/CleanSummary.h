#pragma once

#include <cstdint>

#include "records/Hasher.h"

// The outcome of one clean, shown in the cleaned banner.
struct CleanSummary {
    std::int64_t freedBytes = 0;
    int itemCount = 0;
    int failedCount = 0;
    // True when items went to the Trash, false when they were deleted for good.
    bool movedToTrash = false;

    bool operator==(const CleanSummary&) const = default;
};

template <>
struct std::hash<CleanSummary> {
    std::size_t operator()(const CleanSummary& summary) const noexcept
    {
        Hasher hasher;
        hasher.combine(summary.freedBytes);
        hasher.combine(summary.itemCount);
        hasher.combine(summary.failedCount);
        hasher.combine(summary.movedToTrash);
        return hasher.value();
    }
};
