#include "ui/design/IconButton.h"

#include <QPainter>

#include "ui/design/Motion.h"
#include "ui/design/Palette.h"
#include "ui/design/Symbols.h"

namespace {

constexpr qreal symbolFontSize = 11;

} // namespace

IconButton::IconButton(const QString& symbolName, const QString& help, QWidget* parent)
    : StyledButton(parent), symbol_(symbolName)
{
    setFixedSize(int(side), int(side));
    setToolTip(help);
    setAccessibleName(help);
}

void IconButton::setSymbol(const QString& symbolName)
{
    symbol_ = symbolName;
    update();
}

void IconButton::interactionChanged(bool byPress)
{
    if (byPress)
        animate(Amount::press, isDown() ? 1 : 0, Timing::spring(0.25, 0.55));
    else
        animate(Amount::hover, isEffectivelyHovered() ? 1 : 0, Timing::easeOut(0.12));
}

void IconButton::paint(QPainter& painter, const QRectF& disc, const QString& symbolName, qreal hover, qreal press)
{
    painter.save();
    const qreal scale = 1 - 0.1 * press;
    painter.translate(disc.center());
    painter.scale(scale, scale);
    painter.translate(-disc.center());
    QColor fill = Palette::sunken.current();
    fill.setAlphaF(fill.alphaF() * (0.7 + 0.3 * hover));
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawEllipse(disc);
    const qreal symbolSide = Symbols::sideForFontSize(symbolFontSize);
    const QRectF symbolRect(disc.center() - QPointF(symbolSide / 2, symbolSide / 2), QSizeF(symbolSide, symbolSide));
    Symbols::paint(painter, symbolRect, symbolName, blend(Palette::inkSecondary.current(), Palette::ink.current(), hover));
    painter.restore();
}

void IconButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    if (!isEnabled())
        painter.setOpacity(0.45);
    const QRectF disc(0, 0, side, side);
    paint(painter, disc, symbol_, hover(), press());
    paintFocusRing(painter, disc, side / 2);
}
