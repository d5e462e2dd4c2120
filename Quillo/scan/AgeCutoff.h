#pragma once

#include <cstdint>

#include "records/Date.h"

namespace DiskScanner {

// The moment `days` whole days before `now`: what is dated earlier counts as old. Saturates
// instead of wrapping: a count of days that reaches past the earliest representable date gives
// that date (nothing is older), a negative one past the latest gives the latest (all is older).
Date daysBefore(Date now, std::int64_t days);

} // namespace DiskScanner
