#include "ui/design/Chip.h"

#include <cmath>

#include <QFontMetricsF>
#include <QPainter>

#include "ui/design/Shapes.h"
#include "ui/design/Symbols.h"
#include "ui/design/Typography.h"

namespace {

constexpr qreal horizontalPadding = 10;
constexpr qreal verticalPadding = 5;
constexpr qreal spacing = 5;
constexpr qreal symbolFontSize = 9.5;

const QFont& chipFont()
{
    static const QFont font = Typography::font(11.5, FontWeight::semibold, FontDesign::rounded);
    return font;
}

qreal symbolRoom(const QString& symbolName)
{
    return symbolName.isEmpty() ? 0 : Symbols::sideForFontSize(symbolFontSize) + spacing;
}

} // namespace

Chip::Chip(const QString& text, const QString& symbolName, DynamicColor color, DynamicColor background,
           QWidget* parent)
    : QWidget(parent), layout_(layoutFor(text, symbolName)), text_(text), symbol_(symbolName), color_(color),
      background_(background)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void Chip::setText(const QString& text)
{
    if (text == text_)
        return;
    text_ = text;
    layout_ = layoutFor(text_, symbol_);
    updateGeometry();
    update();
}

Chip::Layout Chip::layoutFor(const QString& text, const QString& symbolName)
{
    const QFontMetricsF metrics(chipFont());
    Layout layout;
    layout.size = {symbolRoom(symbolName) + metrics.horizontalAdvance(text) + 2 * horizontalPadding,
                   metrics.height() + 2 * verticalPadding};
    const qreal middle = layout.size.height() / 2;
    qreal x = horizontalPadding;
    if (!symbolName.isEmpty()) {
        const qreal side = Symbols::sideForFontSize(symbolFontSize);
        layout.symbol = QRectF(x, middle - side / 2, side, side);
        x += side + spacing;
    }
    layout.textOrigin = QPointF(x, middle + metrics.capHeight() / 2);
    return layout;
}

QSizeF Chip::size(const QString& text, const QString& symbolName)
{
    return layoutFor(text, symbolName).size;
}

QSize Chip::sizeHint() const
{
    return {int(std::ceil(layout_.size.width())), int(std::ceil(layout_.size.height()))};
}

void Chip::paint(QPainter& painter, QPointF topLeft, const QString& text, const QString& symbolName,
                 const QColor& color, const QColor& background)
{
    paintLayout(painter, topLeft, layoutFor(text, symbolName), text, symbolName, color, background);
}

void Chip::paintLayout(QPainter& painter, QPointF topLeft, const Layout& layout, const QString& text,
                       const QString& symbolName, const QColor& color, const QColor& background)
{
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    painter.translate(topLeft);
    painter.fillPath(Shapes::capsule(QRectF(QPointF(), layout.size)), background);
    if (!symbolName.isEmpty())
        Symbols::paint(painter, layout.symbol, symbolName, color);
    painter.setFont(chipFont());
    painter.setPen(color);
    painter.drawText(layout.textOrigin, text);
    painter.restore();
}

void Chip::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paintLayout(painter, {0, 0}, layout_, text_, symbol_, color_.current(), background_.current());
}
