#pragma once

#include <cstdint>
#include <string>

// One progress report from a running scan.
struct ScanProgress {
    // Bytes found so far by this scan; only grows.
    std::int64_t foundBytes = 0;
    // The location just looked at, "~"-abbreviated inside the home folder; empty when there is
    // nothing to show.
    std::string path;
    // 0.0 to 1.0.
    double fraction = 0.0;

    bool operator==(const ScanProgress&) const = default;
};
