#pragma once

#include <cstdint>
#include <string>

#include "platform/Volume.h"

// The name and capacity figures of the volume that holds the user's home folder.
struct StorageInfo {
    std::string volumeName;
    std::int64_t total = 0;
    // The space available to the user.
    std::int64_t available = 0;

    bool operator==(const StorageInfo&) const = default;

    // Reads the system afresh; never fails: a failed query gives the platform's name for the
    // computer's own disk ("Macintosh HD") and zero figures.
    static StorageInfo current();

    // A value the query did not give takes its fallback: the important-usage capacity is taken
    // when given (even 0), else the plain available capacity, else 0.
    static StorageInfo fromFigures(const platform::VolumeFigures& figures);
};
