#include "ui/design/FillBar.h"

#include <QPainter>

#include "ui/design/BarGeometry.h"
#include "ui/design/Palette.h"
#include "ui/design/Shapes.h"

FillBar::FillBar(std::optional<qreal> fraction, DynamicColor color, qreal height, QWidget* parent)
    : QWidget(parent), fraction_(fraction), color_(color), height_(height), shownFraction_(fraction.value_or(1)),
      motion_(new Motion(this, [this](qreal v) { setShownFraction(v); }, shownFraction_))
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFixedHeight(int(height));
    relayout();
}

void FillBar::setFraction(std::optional<qreal> fraction, const Timing& timing)
{
    fraction_ = fraction;
    motion_->animateTo(fraction.value_or(1), timing);
}

void FillBar::setColor(DynamicColor color)
{
    color_ = color;
    update();
}

void FillBar::setShownFraction(qreal fraction)
{
    if (fraction == shownFraction_)
        return;
    shownFraction_ = fraction;
    relayout();
    update();
}

QSize FillBar::sizeHint() const
{
    return {int(height_ * 10), int(height_)};
}

QSize FillBar::minimumSizeHint() const
{
    return {int(height_), int(height_)};
}

void FillBar::relayout()
{
    // A bar without a fraction is full; one moving to or from that state moves through the shown
    // fraction like any other.
    const qreal width = BarGeometry::fillWidth(this->width(), height_, shownFraction_);
    fillRect_ = QRectF(0, 0, std::min<qreal>(width, this->width()), height_);
    trackShape_ = Shapes::capsule(rect());
    fillShape_ = Shapes::capsule(fillRect_);
}

void FillBar::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    relayout();
}

void FillBar::paintBar(QPainter& painter) const
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(trackShape_, Palette::sunken.current());
    painter.fillPath(fillShape_, color_.current());
}

void FillBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paintBar(painter);
}
