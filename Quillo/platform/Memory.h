#pragma once

#include <cstdint>

#include "platform/Result.h"

namespace platform {

// How the system counts the pages of memory in use.
struct PageCounts {
    // Pages the system keeps for itself and never swaps out.
    std::uint64_t wired = 0;
    // Anonymous pages: the memory of applications.
    std::uint64_t internal = 0;
    // Pages holding compressed memory.
    std::uint64_t compressor = 0;
    // Anonymous pages the system may discard under pressure.
    std::uint64_t purgeable = 0;
};

// Installed physical memory in bytes.
std::int64_t physicalMemory();
std::int64_t pageSize();
// Linux keeps no wired, compressed or purgeable counts apart: all memory in use
// (MemTotal − MemAvailable) is given as anonymous pages.
Result<PageCounts> pageCounts();

} // namespace platform
