#include "ui/design/Card.h"

#include <QPainter>

#include "ui/design/Palette.h"
#include "ui/design/Shapes.h"

Card::Card(qreal cornerRadius, QWidget* parent)
    : QWidget(parent), cornerRadius_(cornerRadius), shadow_(new DropShadow(this))
{
    DropShadow::markAsSurface(this);
}

void Card::paintBody(QPainter& painter, const QRectF& rect, qreal cornerRadius)
{
    painter.fillPath(Shapes::roundedRect(rect, cornerRadius), Palette::card.current());
    // An inner border: a 1-wide stroke centred half a unit inside the edge.
    const QRectF inner = rect.adjusted(0.5, 0.5, -0.5, -0.5);
    painter.strokePath(Shapes::roundedRect(inner, cornerRadius - 0.5), QPen(Palette::hairline.current(), 1));
}

ShadowLayer Card::restingShadow()
{
    return {Palette::shadow, 1, 14, {0, 5}};
}

void Card::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (shadow_)
        shadow_->setShape(rect(), cornerRadius_, {restingShadow()});
}

void Card::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    paintBody(painter, rect(), cornerRadius_);
}
