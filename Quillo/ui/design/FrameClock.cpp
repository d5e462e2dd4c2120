#include "ui/design/FrameClock.h"

#include <QDateTime>
#include <QEvent>
#include <QWidget>

FrameClock::FrameClock(QWidget* host, int framesPerSecond) : QObject(host), host_(host), timer_(new QTimer(this))
{
    timer_->setTimerType(Qt::PreciseTimer);
    timer_->setInterval(1000 / framesPerSecond + (1000 % framesPerSecond ? 1 : 0));
    connect(timer_, &QTimer::timeout, this, &FrameClock::tick);
    host_->installEventFilter(this);
}

double FrameClock::now()
{
    return double(QDateTime::currentMSecsSinceEpoch()) / 1000.0;
}

void FrameClock::setWanted(bool wanted)
{
    wanted_ = wanted;
    refresh();
}

bool FrameClock::eventFilter(QObject*, QEvent* event)
{
    if (event->type() == QEvent::Show)
        refresh();
    // A minimised window's widgets hear a hide while they still count as visible.
    else if (event->type() == QEvent::Hide)
        timer_->stop();
    return false;
}

void FrameClock::refresh()
{
    const bool run = wanted_ && host_->isVisible();
    if (run && !timer_->isActive())
        timer_->start();
    else if (!run)
        timer_->stop();
}
