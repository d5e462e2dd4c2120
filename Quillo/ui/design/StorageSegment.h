#pragma once

#include <cstdint>

#include <QString>

#include "ui/design/DynamicColor.h"

// One piece of a storage bar.
struct StorageSegment {
    // Identity within the bar: a segment keeps its place across changes by it.
    QString id;
    // Shown in a legend.
    QString label;
    std::int64_t bytes = 0;
    DynamicColor color;
    // Takes whatever width the proportional segments leave instead of a share of its own.
    bool flexible = false;

    bool operator==(const StorageSegment&) const = default;
};
