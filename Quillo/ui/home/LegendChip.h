#pragma once

#include <QWidget>

#include "ui/design/MonospacedDigits.h"
#include "ui/design/StorageSegment.h"

// One entry of the storage bar's legend: a dot in the segment's colour, its label and its size,
// on a sunken capsule.
class LegendChip : public QWidget {
public:
    explicit LegendChip(const StorageSegment& segment, QWidget* parent = nullptr);

    const StorageSegment& segment() const { return segment_; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    StorageSegment segment_;
    MonospacedDigits bytes_;
    qreal labelWidth_ = 0;
};

// Legend chips in a row, 8 apart, wrapping onto further rows when the width runs out.
class LegendRow : public QWidget {
public:
    explicit LegendRow(QWidget* parent = nullptr);

    void setSegments(const std::vector<StorageSegment>& segments);
    std::vector<LegendChip*> chips() const { return chips_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    int arrange(int width, bool apply) const;

    std::vector<LegendChip*> chips_;
};
