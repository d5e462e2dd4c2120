#pragma once

#include <chrono>

namespace DiskScanner {

// Apps not used and backups not refreshed for this long (180 days) are tagged `old`.
inline constexpr std::chrono::seconds oldAfter{15'552'000};

} // namespace DiskScanner
