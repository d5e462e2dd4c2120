#pragma once

#include "ui/design/FillBar.h"

class FrameClock;

// A progress bar: the fill shows the fraction done, or runs the whole width when there is no
// fraction, and carries moving stripes either way. Fraction changes ease out over 0.35 s.
// The stripes redraw 30 times a second at most, and only while the bar is visible.
class ProgressCapsule : public FillBar {
    Q_OBJECT

public:
    ProgressCapsule(std::optional<qreal> fraction, DynamicColor color, qreal height, QWidget* parent = nullptr);

    void setFraction(std::optional<qreal> fraction);

    // The stripes' clock, for checking that a hidden bar stands still.
    const FrameClock& clock() const { return *clock_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    FrameClock* clock_;
};
