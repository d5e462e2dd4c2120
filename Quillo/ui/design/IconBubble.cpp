#include "ui/design/IconBubble.h"

#include <cmath>

#include <QLinearGradient>
#include <QPainter>

#include "ui/design/DropShadow.h"
#include "ui/design/ModuleTheme.h"
#include "ui/design/Palette.h"
#include "ui/design/Shadow.h"
#include "ui/design/Shapes.h"
#include "ui/design/Symbols.h"

namespace {

ShadowLayer shadowOf(Module module, qreal size, IconBubble::Style style)
{
    const DynamicColor color = style == IconBubble::Style::filled
                                   ? DynamicColor(ModuleTheme::of(module).strong).withOpacity(0.3)
                                   : Palette::shadow;
    return {color, 1, size * 0.14, {0, size * 0.06}};
}

QString symbolOf(Module module)
{
    return QString::fromUtf8(module.symbol().data(), qsizetype(module.symbol().size()));
}

} // namespace

IconBubble::IconBubble(Module module, qreal size, Style style, QWidget* parent)
    : QWidget(parent), module_(module), size_(size), style_(style), shadow_(new DropShadow(this))
{
    setFixedSize(int(std::ceil(size)), int(std::ceil(size)));
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void IconBubble::setModule(Module module)
{
    module_ = module;
    updateShadow();
    update();
}

QSize IconBubble::sizeHint() const
{
    return {int(std::ceil(size_)), int(std::ceil(size_))};
}

void IconBubble::paint(QPainter& painter, const QRectF& square, Module module, Style style)
{
    const ModuleTheme theme = ModuleTheme::of(module);
    const qreal size = square.width();
    const QPainterPath shape = Shapes::roundedRect(square, size * 0.32);
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    if (style == Style::filled) {
        painter.fillPath(shape, theme.strong);
        QLinearGradient gloss(square.topLeft(), QPointF(square.left(), square.center().y()));
        gloss.setColorAt(0, QColor(255, 255, 255, 71));
        gloss.setColorAt(1, QColor(255, 255, 255, 0));
        painter.fillPath(shape, gloss);
    } else {
        painter.fillPath(shape, Palette::card.current());
    }
    const qreal symbolSide = Symbols::sideForFontSize(size * 0.46);
    const QRectF symbolRect(square.center() - QPointF(symbolSide / 2, symbolSide / 2), QSizeF(symbolSide, symbolSide));
    Symbols::paint(painter, symbolRect, symbolOf(module), style == Style::filled ? theme.onStrong : theme.strong);
    painter.restore();
}

void IconBubble::paintShadow(QPainter& painter, const QRectF& square, Module module, Style style)
{
    const ShadowLayer layer = shadowOf(module, square.width(), style);
    Shadow::paintRoundedRect(painter, square, square.width() * 0.32, {layer.color.current(), layer.radius, layer.offset});
}

void IconBubble::updateShadow()
{
    if (shadow_)
        shadow_->setShape(QRectF(0, 0, size_, size_), size_ * 0.32, {shadowOf(module_, size_, style_)});
}

void IconBubble::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    updateShadow();
}

void IconBubble::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paint(painter, QRectF(0, 0, size_, size_), module_, style_);
}
