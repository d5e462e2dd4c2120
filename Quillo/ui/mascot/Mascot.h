#pragma once

#include <QMargins>
#include <QTimer>
#include <QWidget>

#include "ui/mascot/MascotDrawing.h"

class FrameClock;
class Motion;

// The mascot, a square of side `size`, whose mood tells what the application is doing. It bounces
// to a new mood on a spring, blinks now and then while on screen, and while busy its eyes glance
// from side to side. Hidden, it runs nothing. Decoration: it lets the pointer through.
//
// A delighted bounce and the sparkle reach past the square; lay it out with Overflow::addWidget
// and overflowMargins() to keep them unclipped, or give it room around.
class Mascot : public QWidget {
    Q_OBJECT
    Q_PROPERTY(qreal moodChange READ moodChange WRITE setMoodChange)
    Q_PROPERTY(qreal blink READ blink WRITE setBlink)

public:
    using Mood = MascotMood;

    Mascot(Mood mood, qreal size, QWidget* parent = nullptr);

    Mood mood() const { return mood_; }
    void setMood(Mood mood);

    bool isBlinking() const { return blinking_; }
    // Closes (true) or opens the eyes, as the blink loop does; public so a preview can show a blink.
    void setBlinking(bool blinking);

    // 0 → 1 from the previous mood to the current one.
    qreal moodChange() const { return moodChange_; }
    void setMoodChange(qreal change);
    // 0 open → 1 closed.
    qreal blink() const { return blink_; }
    void setBlink(qreal blink);

    QMargins overflowMargins() const;
    QSize sizeHint() const override;

    // Whether a timer is running: the blink wait while shown, the glance clock while busy.
    bool isBlinkLoopRunning() const { return blinkWait_->isActive() || blinkHold_->isActive(); }
    const FrameClock& glanceClock() const { return *glance_; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void scheduleBlink();

    Mood mood_;
    Mood previousMood_;
    qreal size_;
    bool blinking_ = false;
    qreal moodChange_ = 1;
    qreal blink_ = 0;
    Motion* moodMotion_;
    Motion* blinkMotion_;
    FrameClock* glance_;
    QTimer* blinkWait_;
    QTimer* blinkHold_;
};
