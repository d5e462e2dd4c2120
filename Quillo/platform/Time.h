#pragma once

#include <chrono>
#include <optional>

namespace platform {

// A point in time as the system gives it (file dates, dates in property lists): wall-clock time
// with the system clock's precision, the same type as the records' TimePoint.
using TimePoint = std::chrono::system_clock::time_point;
using OptionalTime = std::optional<TimePoint>;

} // namespace platform
