#include "platform/Memory.h"

#include <unistd.h>

#include <fstream>
#include <optional>
#include <sstream>
#include <string>

namespace platform {

namespace {

struct MeminfoFigures {
    std::optional<std::uint64_t> totalKilobytes;
    std::optional<std::uint64_t> availableKilobytes;
};

// Lines of /proc/meminfo read "MemTotal:       16318176 kB" (some have no unit).
MeminfoFigures readMeminfo()
{
    MeminfoFigures figures;
    std::ifstream meminfo("/proc/meminfo");
    std::string line;
    while (std::getline(meminfo, line)) {
        std::istringstream fields(line);
        std::string key;
        std::uint64_t kilobytes = 0;
        if (!(fields >> key >> kilobytes))
            continue;
        if (key == "MemTotal:")
            figures.totalKilobytes = kilobytes;
        else if (key == "MemAvailable:")
            figures.availableKilobytes = kilobytes;
    }
    return figures;
}

} // namespace

std::int64_t pageSize()
{
    const long size = ::sysconf(_SC_PAGESIZE);
    return size > 0 ? size : 4096;
}

std::int64_t physicalMemory()
{
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    return pages > 0 ? static_cast<std::int64_t>(pages) * pageSize() : 0;
}

Result<PageCounts> pageCounts()
{
    const auto figures = readMeminfo();
    if (!figures.totalKilobytes || !figures.availableKilobytes)
        return Result<PageCounts>::failure(ENODATA);
    const std::uint64_t inUse = figures.totalKilobytes > figures.availableKilobytes
                                    ? *figures.totalKilobytes - *figures.availableKilobytes
                                    : 0;
    PageCounts counts;
    counts.internal = inUse * 1024 / static_cast<std::uint64_t>(pageSize());
    return counts;
}

} // namespace platform
