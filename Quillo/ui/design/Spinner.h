#pragma once

#include <QWidget>

#include "ui/design/DynamicColor.h"

class FrameClock;

// A small indeterminate spinner: an open ring turning once a second, for work without a known
// end. It turns only while visible, at most 30 frames a second. Decoration: the busy state is
// told by the text beside it.
class Spinner : public QWidget {
public:
    Spinner(qreal size, DynamicColor color, QWidget* parent = nullptr);

    void setColor(DynamicColor color);
    QSize sizeHint() const override;

    const FrameClock& clock() const { return *clock_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    qreal size_;
    DynamicColor color_;
    FrameClock* clock_;
};
