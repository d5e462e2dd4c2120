#pragma once

#include <optional>
#include <vector>

#include <QPolygonF>
#include <QString>

#include "ui/design/StorageSegment.h"

// The width rules of the bars, as plain functions of their inputs.
namespace BarGeometry {

// The fill of a progress or usage bar on a track `trackWidth` long and `height` high: the whole
// track without a fraction, else the fraction (held to 0…1) of the track but never shorter than
// the bar is high, so even nothing shows as a dot.
qreal fillWidth(qreal trackWidth, qreal height, std::optional<qreal> fraction);

struct SegmentFrame {
    QString id;
    qreal x = 0;
    qreal width = 0;
    DynamicColor color;
};

inline constexpr qreal segmentSpacing = 3;

// The capsules of a storage bar `width` long and `height` high. Segments of zero bytes or less
// are dropped; the rest stand in a row 3 apart. A flexible segment takes what the others leave
// (several share it equally; none if nothing is left); any other is its share of `total` (taken as
// at least 1) of the width left after spacing, but never shorter than the bar is high.
std::vector<SegmentFrame> storageFrames(const std::vector<StorageSegment>& segments, std::int64_t total, qreal width,
                                        qreal height);

inline constexpr qreal stripePeriod = 14;
inline constexpr qreal stripeWidth = 7;

// The diagonal stripes over an area `width` × `height` at `seconds` on a running clock: 7 wide,
// slanted at 45°, 14 apart, moving right by one period a second.
std::vector<QPolygonF> stripes(qreal width, qreal height, double seconds);

} // namespace BarGeometry
