#include "ui/design/TagPill.h"

#include <cmath>

#include <QFontMetricsF>
#include <QPainter>

#include "ui/design/Shapes.h"
#include "ui/design/TagStyle.h"
#include "ui/design/Typography.h"

namespace {

constexpr qreal horizontalPadding = 7;
constexpr qreal verticalPadding = 2.5;

const QFont& pillFont()
{
    static const QFont font = Typography::font(10, FontWeight::heavy, FontDesign::rounded);
    return font;
}

} // namespace

TagPill::TagPill(ScanItem::Tag tag, QWidget* parent) : QWidget(parent), tag_(tag)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setToolTip(TagStyle::helpText(tag));
}

QSizeF TagPill::size(ScanItem::Tag tag)
{
    const QFontMetricsF metrics(pillFont());
    return {metrics.horizontalAdvance(TagStyle::pillText(tag)) + 2 * horizontalPadding,
            metrics.height() + 2 * verticalPadding};
}

QSize TagPill::sizeHint() const
{
    const QSizeF natural = size(tag_);
    return {int(std::ceil(natural.width())), int(std::ceil(natural.height()))};
}

void TagPill::paint(QPainter& painter, QPointF topLeft, ScanItem::Tag tag)
{
    const QRectF capsule(topLeft, size(tag));
    const QColor color = TagStyle::color(tag).current();
    QColor wash = color;
    wash.setAlphaF(color.alphaF() * 0.14);
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.fillPath(Shapes::capsule(capsule), wash);
    painter.setFont(pillFont());
    painter.setPen(color);
    const QFontMetricsF metrics(pillFont());
    painter.drawText(QPointF(capsule.left() + horizontalPadding, capsule.center().y() + metrics.capHeight() / 2),
                     TagStyle::pillText(tag));
    painter.restore();
}

void TagPill::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paint(painter, {0, 0}, tag_);
}
