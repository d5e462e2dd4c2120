#include "scan/AgeCutoff.h"

#include <chrono>

namespace DiskScanner {

Date daysBefore(Date now, std::int64_t days)
{
    using Ticks = Date::duration::rep;
    constexpr Ticks ticksPerDay = std::chrono::duration_cast<Date::duration>(std::chrono::days(1)).count();
    Ticks back = 0;
    Ticks cutoff = 0;
    if (__builtin_mul_overflow(days, ticksPerDay, &back) ||
        __builtin_sub_overflow(now.time_since_epoch().count(), back, &cutoff))
        return days > 0 ? Date::min() : Date::max();
    return Date(Date::duration(cutoff));
}

} // namespace DiskScanner
