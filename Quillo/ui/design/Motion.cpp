#include "ui/design/Motion.h"

#include <QEvent>
#include <QWidget>

namespace {

// Values move on a 0…1 scale: this is a twentieth of a pixel on a 100-pixel bar.
constexpr double restTolerance = 0.0005;

bool animationsOn = true;

} // namespace

Timing Timing::spring(double response, double damping)
{
    Timing timing;
    timing.spring_ = {response, damping};
    return timing;
}

Timing Timing::ease(double seconds, QPointF control1, QPointF control2)
{
    Timing timing;
    timing.durationMs_ = int(seconds * 1000 + 0.5);
    timing.curve_ = QEasingCurve(QEasingCurve::BezierSpline);
    timing.curve_.addCubicBezierSegment(control1, control2, {1, 1});
    return timing;
}

Timing Timing::easeIn(double seconds)
{
    return ease(seconds, {0.42, 0}, {1, 1});
}

Timing Timing::easeOut(double seconds)
{
    return ease(seconds, {0, 0}, {0.58, 1});
}

Timing Timing::easeInOut(double seconds)
{
    return ease(seconds, {0.42, 0}, {0.58, 1});
}

Motion::Motion(QWidget* owner, std::function<void(qreal)> apply, qreal initial)
    : QAbstractAnimation(owner), owner_(owner), apply_(std::move(apply)), value_(initial), from_(initial),
      target_(initial)
{
    owner_->installEventFilter(this);
}

void Motion::setAnimationsEnabled(bool enabled)
{
    animationsOn = enabled;
}

bool Motion::animationsEnabled()
{
    return animationsOn;
}

void Motion::animateTo(qreal target, const Timing& timing)
{
    if (target == target_ && (state() == Running || value_ == target))
        return;
    if (!animationsOn || !owner_->isVisible()) {
        jumpTo(target);
        return;
    }
    const double velocity = state() == Running ? currentVelocity() : 0;
    stop();
    timing_ = timing;
    from_ = value_;
    target_ = target;
    startVelocity_ = timing.isSpring() ? velocity : 0;
    start();
}

void Motion::jumpTo(qreal target)
{
    stop();
    target_ = target;
    set(target);
}

double Motion::currentVelocity() const
{
    if (!timing_.isSpring())
        return 0;
    return timing_.springParameters().at(currentTime() / 1000.0, from_, target_, startVelocity_).velocity;
}

void Motion::updateCurrentTime(int currentTime)
{
    if (!timing_.isSpring()) {
        const qreal progress = timing_.durationMs() > 0 ? qreal(currentTime) / timing_.durationMs() : 1;
        set(from_ + (target_ - from_) * timing_.eased(std::min<qreal>(progress, 1)));
        return;
    }
    const Spring::State state = timing_.springParameters().at(currentTime / 1000.0, from_, target_, startVelocity_);
    if (Spring::isAtRest(state, target_, restTolerance)) {
        set(target_);
        stop();
        return;
    }
    set(state.position);
}

bool Motion::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != owner_ || event->type() != QEvent::Hide || state() != Running)
        return false;
    // A widget is also hidden while it is being destroyed, when its own setters are gone: the
    // motion stops now and lands on the next turn of the event loop, which a destroyed widget
    // (and this motion with it) never sees.
    stop();
    QMetaObject::invokeMethod(this, [this] { jumpTo(target_); }, Qt::QueuedConnection);
    return false;
}

void Motion::set(qreal value)
{
    value_ = value;
    apply_(value);
}
