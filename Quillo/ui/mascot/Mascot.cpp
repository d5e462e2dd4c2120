#include "ui/mascot/Mascot.h"

#include <cmath>

#include <QPainter>
#include <QRandomGenerator>

#include "ui/design/FrameClock.h"
#include "ui/design/Motion.h"

namespace {

// The eyes stay shut this long from the start of a blink.
constexpr int blinkHoldMs = 110;

} // namespace

Mascot::Mascot(Mood mood, qreal size, QWidget* parent)
    : QWidget(parent), mood_(mood), previousMood_(mood), size_(size),
      moodMotion_(new Motion(this, [this](qreal v) { setMoodChange(v); }, 1)),
      blinkMotion_(new Motion(this, [this](qreal v) { setBlink(v); })), glance_(new FrameClock(this)),
      blinkWait_(new QTimer(this)), blinkHold_(new QTimer(this))
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    blinkWait_->setSingleShot(true);
    blinkHold_->setSingleShot(true);
    blinkHold_->setInterval(blinkHoldMs);
    connect(blinkWait_, &QTimer::timeout, this, [this] {
        setBlinking(true);
        blinkHold_->start();
    });
    connect(blinkHold_, &QTimer::timeout, this, [this] {
        setBlinking(false);
        scheduleBlink();
    });
    connect(glance_, &FrameClock::tick, this, qOverload<>(&QWidget::update));
    glance_->setWanted(mood_ == Mood::busy);
}

void Mascot::setMood(Mood mood)
{
    if (mood == mood_)
        return;
    previousMood_ = mood_;
    mood_ = mood;
    glance_->setWanted(mood_ == Mood::busy);
    moodMotion_->jumpTo(0);
    moodMotion_->animateTo(1, Timing::spring(0.4, 0.5));
    update();
}

void Mascot::setBlinking(bool blinking)
{
    if (blinking == blinking_)
        return;
    blinking_ = blinking;
    blinkMotion_->animateTo(blinking ? 1 : 0, blinking ? Timing::easeIn(0.07) : Timing::easeOut(0.1));
}

void Mascot::setMoodChange(qreal change)
{
    if (change == moodChange_)
        return;
    moodChange_ = change;
    update();
}

void Mascot::setBlink(qreal blink)
{
    if (blink == blink_)
        return;
    blink_ = blink;
    update();
}

QMargins Mascot::overflowMargins() const
{
    const int margin = int(std::ceil(size_ * 0.13));
    return {margin, margin, margin, margin};
}

QSize Mascot::sizeHint() const
{
    const int side = int(std::ceil(size_));
    return {side, side};
}

// A uniform wait of 2.5 to 5.5 seconds.
void Mascot::scheduleBlink()
{
    blinkWait_->start(int(std::lround((QRandomGenerator::global()->generateDouble() * 3 + 2.5) * 1000)));
}

void Mascot::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    scheduleBlink();
}

void Mascot::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    blinkWait_->stop();
    blinkHold_->stop();
    blinking_ = false;
    blinkMotion_->jumpTo(0);
}

void Mascot::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QRectF frame(0, 0, size_, size_);
    frame.moveCenter(QRectF(rect()).center());
    MascotPose pose{previousMood_, mood_, moodChange_, blink_, 0};
    if (mood_ == Mood::busy)
        pose.look = 0.035 * std::sin(2.4 * FrameClock::now());
    MascotDrawing::paint(painter, frame, pose);
}
