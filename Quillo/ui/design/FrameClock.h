#pragma once

#include <QObject>
#include <QTimer>

class QWidget;

// A steady tick for a widget that draws something moving (stripes, glancing eyes): at most
// `framesPerSecond` a second, and only while the widget is visible and the clock is wanted.
// A hidden widget costs no timer.
class FrameClock : public QObject {
    Q_OBJECT

public:
    explicit FrameClock(QWidget* host, int framesPerSecond = 30);

    void setWanted(bool wanted);
    bool isTicking() const { return timer_->isActive(); }

    // Seconds on the clock every moving drawing shares, so stripes in two bars move in step.
    static double now();

Q_SIGNALS:
    void tick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refresh();

    QWidget* host_;
    QTimer* timer_;
    bool wanted_ = false;
};
