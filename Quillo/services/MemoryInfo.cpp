#include "services/MemoryInfo.h"

#include <algorithm>

MemoryInfo MemoryInfo::current()
{
    MemoryInfo info;
    info.total = platform::physicalMemory();
    if (const auto pages = platform::pageCounts())
        info.used = usedBytes(*pages, platform::pageSize(), info.total);
    return info;
}

std::int64_t MemoryInfo::usedBytes(const platform::PageCounts& pages, std::int64_t pageSize, std::int64_t total)
{
    if (pageSize < 1 || total < 1)
        return 0;
    const std::uint64_t pagesInUse =
        pages.wired + pages.internal + pages.compressor - std::min(pages.internal, pages.purgeable);
    const auto size = static_cast<std::uint64_t>(pageSize);
    // Clamped before multiplying, so that absurd counts cannot overflow.
    if (pagesInUse > static_cast<std::uint64_t>(total) / size)
        return total;
    return static_cast<std::int64_t>(pagesInUse * size);
}
