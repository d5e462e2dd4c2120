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

    // The share of the volume in use, 0 to 1; 0 for a volume without a total, and more available
    // than total counts as nothing used.
    double usedFraction() const;
    // Whether the screens show the disk as nearly full: more than 90 % used, or less than 10 GB
    // left (a volume that reports nothing has nothing left).
    bool isSpaceLow() const;

    // Reads the system afresh; never fails: a failed query gives the platform's name for the
    // computer's own disk ("Macintosh HD") and zero figures.
    static StorageInfo current();

    // A value the query did not give takes its fallback: the important-usage capacity is taken
    // when given (even 0), else the plain available capacity, else 0.
    static StorageInfo fromFigures(const platform::VolumeFigures& figures);
};
