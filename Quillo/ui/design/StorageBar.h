#pragma once

#include <vector>

#include <QPainterPath>
#include <QWidget>

#include "ui/design/BarGeometry.h"
#include "ui/design/StorageSegment.h"

class Motion;

// A horizontal bar of coloured capsules, one per segment with bytes, laid out by
// BarGeometry::storageFrames. A change of segments or total moves each capsule (matched by id)
// from where it was to where it belongs with a critically damped spring; new ones grow from
// nothing, dropped ones shrink away.
class StorageBar : public QWidget {
    Q_OBJECT
    Q_PROPERTY(qreal change READ change WRITE setChange)

public:
    StorageBar(std::vector<StorageSegment> segments, std::int64_t total, qreal height, QWidget* parent = nullptr);

    void setSegments(std::vector<StorageSegment> segments, std::int64_t total);
    const std::vector<StorageSegment>& segments() const { return segments_; }

    // 0 → 1 from the previous layout to the current one.
    qreal change() const { return change_; }
    void setChange(qreal change);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void relayout();
    void shapeCapsules();

    std::vector<StorageSegment> segments_;
    std::int64_t total_;
    qreal height_;
    std::vector<BarGeometry::SegmentFrame> from_;
    std::vector<BarGeometry::SegmentFrame> to_;
    std::vector<BarGeometry::SegmentFrame> shown_;
    std::vector<std::pair<QPainterPath, DynamicColor>> capsules_;
    qreal change_ = 1;
    Motion* motion_;
};
