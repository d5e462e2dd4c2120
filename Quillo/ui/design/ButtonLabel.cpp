#include "ui/design/ButtonLabel.h"

#include <QFontMetricsF>
#include <QPainter>

#include "ui/design/Symbols.h"
#include "ui/design/Typography.h"

namespace {

qreal symbolSide(const QFont& font)
{
    return Symbols::sideForFontSize(Typography::sizeOf(font));
}

qreal symbolSpacing(const QFont& font)
{
    return Typography::sizeOf(font) * 0.4;
}

} // namespace

void ButtonLabel::setContent(const QString& text, const QString& symbol, const QFont& font)
{
    text_ = text;
    symbol_ = symbol;
    font_ = font;
    const QFontMetricsF metrics(font_);
    textWidth_ = metrics.horizontalAdvance(text_);
    capHeight_ = metrics.capHeight();
    lineHeight_ = metrics.height();
}

QSizeF ButtonLabel::naturalSize() const
{
    qreal width = textWidth_;
    if (!symbol_.isEmpty())
        width += symbolSide(font_) + (text_.isEmpty() ? 0 : symbolSpacing(font_));
    return {width, lineHeight_};
}

void ButtonLabel::layout(const QRectF& room)
{
    const QSizeF size = naturalSize();
    qreal x = room.center().x() - size.width() / 2;
    const qreal middle = room.center().y();
    if (!symbol_.isEmpty()) {
        const qreal side = symbolSide(font_);
        symbolRect_ = QRectF(x, middle - side / 2, side, side);
        x += side + (text_.isEmpty() ? 0 : symbolSpacing(font_));
    }
    // Centred on the capitals rather than the line box, which reads as centred in a pill.
    textOrigin_ = QPointF(x, middle + capHeight_ / 2);
}

void ButtonLabel::paint(QPainter& painter, const QColor& color) const
{
    if (!symbol_.isEmpty())
        Symbols::paint(painter, symbolRect_, symbol_, color);
    if (text_.isEmpty())
        return;
    painter.setFont(font_);
    painter.setPen(color);
    painter.drawText(textOrigin_, text_);
}
