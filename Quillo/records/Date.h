#pragma once

#include <chrono>
#include <optional>

// A point in time, as every record carries it: wall-clock time with the platform's precision.
using Date = std::chrono::system_clock::time_point;
using OptionalDate = std::optional<Date>;
