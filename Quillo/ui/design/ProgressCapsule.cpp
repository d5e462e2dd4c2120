#include "ui/design/ProgressCapsule.h"

#include <QPainter>

#include "ui/design/FrameClock.h"
#include "ui/design/MovingStripes.h"

ProgressCapsule::ProgressCapsule(std::optional<qreal> fraction, DynamicColor color, qreal height, QWidget* parent)
    : FillBar(fraction, color, height, parent), clock_(new FrameClock(this))
{
    connect(clock_, &FrameClock::tick, this, [this] { update(fillRect().toAlignedRect()); });
    clock_->setWanted(true);
}

void ProgressCapsule::setFraction(std::optional<qreal> fraction)
{
    FillBar::setFraction(fraction, Timing::easeOut(0.35));
}

void ProgressCapsule::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paintBar(painter);
    painter.setClipPath(fillShape());
    MovingStripes::paint(painter, fillRect(), FrameClock::now());
}
