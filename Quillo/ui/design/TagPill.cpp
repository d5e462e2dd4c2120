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

TagPill::TagPill(ScanItem::Tag tag, QWidget* parent) : QWidget(parent), tag_(tag), layout_(layoutFor(tag))
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setToolTip(TagStyle::helpText(tag));
}

TagPill::Layout TagPill::layoutFor(ScanItem::Tag tag)
{
    const QFontMetricsF metrics(pillFont());
    const QSizeF size(metrics.horizontalAdvance(TagStyle::pillText(tag)) + 2 * horizontalPadding,
                      metrics.height() + 2 * verticalPadding);
    return {size, QPointF(horizontalPadding, size.height() / 2 + metrics.capHeight() / 2)};
}

QSizeF TagPill::size(ScanItem::Tag tag)
{
    return layoutFor(tag).size;
}

QSize TagPill::sizeHint() const
{
    return {int(std::ceil(layout_.size.width())), int(std::ceil(layout_.size.height()))};
}

void TagPill::paint(QPainter& painter, QPointF topLeft, ScanItem::Tag tag)
{
    paintLayout(painter, topLeft, layoutFor(tag), tag);
}

void TagPill::paintLayout(QPainter& painter, QPointF topLeft, const Layout& layout, ScanItem::Tag tag)
{
    const QColor color = TagStyle::color(tag).current();
    QColor wash = color;
    wash.setAlphaF(color.alphaF() * 0.14);
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.translate(topLeft);
    painter.fillPath(Shapes::capsule(QRectF(QPointF(), layout.size)), wash);
    painter.setFont(pillFont());
    painter.setPen(color);
    painter.drawText(layout.textOrigin, TagStyle::pillText(tag));
    painter.restore();
}

void TagPill::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paintLayout(painter, {0, 0}, layout_, tag_);
}
