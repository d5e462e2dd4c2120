#include "ui/design/FrameThrottle.h"

FrameThrottle::FrameThrottle(QObject* parent, std::function<void()> refresh)
    : QObject(parent), refresh_(std::move(refresh))
{
    timer_.setSingleShot(true);
    timer_.setInterval(frameMs);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, [this] { refresh_(); });
}

void FrameThrottle::request()
{
    if (!timer_.isActive())
        timer_.start();
}
