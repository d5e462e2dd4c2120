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
    : QWidget(parent), text_(text), symbol_(symbolName), color_(color), background_(background)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void Chip::setText(const QString& text)
{
    text_ = text;
    updateGeometry();
    update();
}

QSizeF Chip::size(const QString& text, const QString& symbolName)
{
    const QFontMetricsF metrics(chipFont());
    return {symbolRoom(symbolName) + metrics.horizontalAdvance(text) + 2 * horizontalPadding,
            metrics.height() + 2 * verticalPadding};
}

QSize Chip::sizeHint() const
{
    const QSizeF natural = size(text_, symbol_);
    return {int(std::ceil(natural.width())), int(std::ceil(natural.height()))};
}

void Chip::paint(QPainter& painter, QPointF topLeft, const QString& text, const QString& symbolName,
                 const QColor& color, const QColor& background)
{
    const QRectF capsule(topLeft, size(text, symbolName));
    const QFontMetricsF metrics(chipFont());
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    painter.fillPath(Shapes::capsule(capsule), background);
    const qreal middle = capsule.center().y();
    qreal x = capsule.left() + horizontalPadding;
    if (!symbolName.isEmpty()) {
        const qreal side = Symbols::sideForFontSize(symbolFontSize);
        Symbols::paint(painter, QRectF(x, middle - side / 2, side, side), symbolName, color);
        x += side + spacing;
    }
    painter.setFont(chipFont());
    painter.setPen(color);
    painter.drawText(QPointF(x, middle + metrics.capHeight() / 2), text);
    painter.restore();
}

void Chip::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paint(painter, {0, 0}, text_, symbol_, color_.current(), background_.current());
}
