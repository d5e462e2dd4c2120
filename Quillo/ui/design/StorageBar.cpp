#include "ui/design/StorageBar.h"

#include <algorithm>

#include <QPainter>

#include "ui/design/Motion.h"
#include "ui/design/Shapes.h"

namespace {

using BarGeometry::SegmentFrame;

const SegmentFrame* findFrame(const std::vector<SegmentFrame>& frames, const QString& id)
{
    const auto found = std::find_if(frames.begin(), frames.end(), [&](const SegmentFrame& f) { return f.id == id; });
    return found == frames.end() ? nullptr : &*found;
}

SegmentFrame between(const SegmentFrame& from, const SegmentFrame& to, qreal t)
{
    return {to.id, from.x + (to.x - from.x) * t, std::max<qreal>(from.width + (to.width - from.width) * t, 0),
            to.color};
}

// Every capsule on its way from the old layout to the new one.
std::vector<SegmentFrame> interpolated(const std::vector<SegmentFrame>& from, const std::vector<SegmentFrame>& to,
                                       qreal t)
{
    std::vector<SegmentFrame> result;
    for (const SegmentFrame& target : to) {
        const SegmentFrame* start = findFrame(from, target.id);
        result.push_back(between(start ? *start : SegmentFrame{target.id, target.x, 0, target.color}, target, t));
    }
    for (const SegmentFrame& leaving : from)
        if (!findFrame(to, leaving.id))
            result.push_back(between(leaving, {leaving.id, leaving.x, 0, leaving.color}, t));
    return result;
}

} // namespace

StorageBar::StorageBar(std::vector<StorageSegment> segments, std::int64_t total, qreal height, QWidget* parent)
    : QWidget(parent), segments_(std::move(segments)), total_(total), height_(height),
      motion_(new Motion(this, [this](qreal v) { setChange(v); }, 1))
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFixedHeight(int(height));
    relayout();
}

void StorageBar::setSegments(std::vector<StorageSegment> segments, std::int64_t total)
{
    if (segments == segments_ && total == total_)
        return;
    segments_ = std::move(segments);
    total_ = total;
    from_ = shown_;
    to_ = BarGeometry::storageFrames(segments_, total_, width(), height_);
    motion_->jumpTo(0);
    motion_->animateTo(1, Timing::spring(0.5, 1.0));
}

void StorageBar::setChange(qreal change)
{
    if (change == change_)
        return;
    change_ = change;
    shown_ = interpolated(from_, to_, change_);
    shapeCapsules();
    update();
}

void StorageBar::shapeCapsules()
{
    capsules_.clear();
    for (const SegmentFrame& frame : shown_)
        if (frame.width > 0)
            capsules_.emplace_back(Shapes::capsule(QRectF(frame.x, 0, frame.width, height_)), frame.color);
}

QSize StorageBar::sizeHint() const
{
    return {int(height_ * 20), int(height_)};
}

QSize StorageBar::minimumSizeHint() const
{
    return {int(height_), int(height_)};
}

void StorageBar::relayout()
{
    to_ = BarGeometry::storageFrames(segments_, total_, width(), height_);
    from_ = to_;
    shown_ = to_;
    shapeCapsules();
}

void StorageBar::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // A new width is not a change of data: the capsules take their places at once.
    motion_->jumpTo(1);
    relayout();
}

void StorageBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    for (const auto& [shape, color] : capsules_)
        painter.fillPath(shape, color.current());
}
