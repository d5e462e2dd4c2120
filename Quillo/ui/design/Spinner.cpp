#include "ui/design/Spinner.h"

#include <cmath>

#include <QPainter>

#include "ui/design/FrameClock.h"

Spinner::Spinner(qreal size, DynamicColor color, QWidget* parent)
    : QWidget(parent), size_(size), color_(color), clock_(new FrameClock(this))
{
    setFixedSize(sizeHint());
    setAttribute(Qt::WA_TransparentForMouseEvents);
    connect(clock_, &FrameClock::tick, this, qOverload<>(&QWidget::update));
    clock_->setWanted(true);
}

void Spinner::setColor(DynamicColor color)
{
    color_ = color;
    update();
}

QSize Spinner::sizeHint() const
{
    const int side = int(std::ceil(size_));
    return {side, side};
}

void Spinner::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal line = std::max<qreal>(1.5, size_ * 0.14);
    const QRectF ring = QRectF(0, 0, size_, size_).adjusted(line / 2, line / 2, -line / 2, -line / 2);
    QColor track = color_.current();
    track.setAlphaF(track.alphaF() * 0.2);
    painter.setPen(QPen(track, line));
    painter.drawEllipse(ring);
    const double turn = FrameClock::now() - std::floor(FrameClock::now());
    painter.setPen(QPen(color_.current(), line, Qt::SolidLine, Qt::RoundCap));
    // Qt's angles are sixteenths of a degree, counter-clockwise; the arc turns clockwise.
    painter.drawArc(ring, int(-turn * 360 * 16), 100 * 16);
}
