#pragma once

#include <functional>

#include <QAbstractAnimation>
#include <QEasingCurve>

#include "ui/design/Spring.h"

class QWidget;

// How one animated change moves: a spring, or an ease curve over a fixed time (the usual cubic
// curves: ease-in (0.42, 0, 1, 1), ease-out (0, 0, 0.58, 1), ease-in-out (0.42, 0, 0.58, 1)).
class Timing {
public:
    static Timing spring(double response, double damping);
    static Timing easeIn(double seconds);
    static Timing easeOut(double seconds);
    static Timing easeInOut(double seconds);

    bool isSpring() const { return durationMs_ < 0; }
    const Spring& springParameters() const { return spring_; }
    int durationMs() const { return durationMs_; }
    qreal eased(qreal progress) const { return curve_.valueForProgress(progress); }

private:
    static Timing ease(double seconds, QPointF control1, QPointF control2);

    Spring spring_;
    QEasingCurve curve_;
    int durationMs_ = -1;
};

// Drives one value of a widget (a 0→1 amount, a fraction) towards a target, calling `apply` with
// each step. It runs on Qt's shared animation clock, which ticks only while something moves, so a
// widget at rest costs nothing. A spring retargeted mid-flight keeps its velocity.
//
// While the widget is hidden, or animations are off, a change lands at once: nothing animates
// unseen, and hiding the widget mid-flight stops the clock and lands the change right after.
class Motion : public QAbstractAnimation {
public:
    Motion(QWidget* owner, std::function<void(qreal)> apply, qreal initial = 0);

    void animateTo(qreal target, const Timing& timing);
    void jumpTo(qreal target);

    qreal value() const { return value_; }

    // Off for renders of finished states (previews, tests) and for people who ask for less motion.
    static void setAnimationsEnabled(bool enabled);
    static bool animationsEnabled();

    int duration() const override { return timing_.isSpring() ? -1 : timing_.durationMs(); }

protected:
    void updateCurrentTime(int currentTime) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void set(qreal value);
    double currentVelocity() const;

    QWidget* owner_;
    std::function<void(qreal)> apply_;
    Timing timing_;
    qreal value_;
    qreal from_;
    qreal target_;
    double startVelocity_ = 0;
};
