#include "ui/design/BarGeometry.h"

#include <algorithm>
#include <cmath>

namespace BarGeometry {

qreal fillWidth(qreal trackWidth, qreal height, std::optional<qreal> fraction)
{
    if (!fraction)
        return trackWidth;
    return std::max(height, trackWidth * std::clamp<qreal>(*fraction, 0, 1));
}

std::vector<SegmentFrame> storageFrames(const std::vector<StorageSegment>& segments, std::int64_t total, qreal width,
                                        qreal height)
{
    std::vector<const StorageSegment*> kept;
    for (const StorageSegment& segment : segments)
        if (segment.bytes > 0)
            kept.push_back(&segment);
    const qreal shared = width - segmentSpacing * std::max<qreal>(qreal(kept.size()) - 1, 0);
    const double divisor = double(std::max<std::int64_t>(total, 1));

    qreal proportional = 0;
    int flexibleCount = 0;
    for (const StorageSegment* segment : kept) {
        if (segment->flexible)
            ++flexibleCount;
        else
            proportional += std::max(height, qreal(shared * (double(segment->bytes) / divisor)));
    }
    const qreal flexibleWidth = flexibleCount ? std::max<qreal>(shared - proportional, 0) / flexibleCount : 0;

    std::vector<SegmentFrame> frames;
    qreal x = 0;
    for (const StorageSegment* segment : kept) {
        const qreal segmentWidth = segment->flexible ? flexibleWidth
                                                     : std::max(height, qreal(shared * (double(segment->bytes) / divisor)));
        frames.push_back({segment->id, x, segmentWidth, segment->color});
        x += segmentWidth + segmentSpacing;
    }
    return frames;
}

std::vector<QPolygonF> stripes(qreal width, qreal height, double seconds)
{
    const qreal phase = qreal(seconds - std::floor(seconds)) * stripePeriod;
    std::vector<QPolygonF> result;
    for (qreal x = -stripePeriod - height + phase; x < width + stripePeriod; x += stripePeriod)
        result.push_back(QPolygonF({QPointF(x, height), QPointF(x + height, 0), QPointF(x + height + stripeWidth, 0),
                                    QPointF(x + stripeWidth, height)}));
    return result;
}

} // namespace BarGeometry
