#include "ui/design/SoftButton.h"

#include <cmath>

#include <QPainter>

#include "ui/design/Motion.h"
#include "ui/design/Palette.h"
#include "ui/design/Shapes.h"

SoftButton::SoftButton(const QString& text, ButtonSize size, QWidget* parent)
    : StyledButton(parent), size_(size)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setText(text);
}

void SoftButton::setText(const QString& text)
{
    QAbstractButton::setText(text);
    label_.setContent(text, label_.symbol(), buttonFont(size_));
    relayout();
}

void SoftButton::setSymbol(const QString& symbolName)
{
    label_.setContent(text(), symbolName, buttonFont(size_));
    relayout();
}

QSize SoftButton::sizeHint() const
{
    const QSizeF label = label_.naturalSize();
    return {int(std::ceil(label.width() + 2 * buttonPadding(size_))), int(buttonHeight(size_))};
}

void SoftButton::interactionChanged(bool byPress)
{
    if (byPress)
        animate(Amount::press, isDown() ? 1 : 0, Timing::spring(0.25, 0.55));
    else
        animate(Amount::hover, isEffectivelyHovered() ? 1 : 0, Timing::easeOut(0.15));
}

void SoftButton::relayout()
{
    label_.layout(rect());
    body_ = Shapes::capsule(rect());
    updateGeometry();
    update();
}

void SoftButton::resizeEvent(QResizeEvent* event)
{
    StyledButton::resizeEvent(event);
    label_.layout(rect());
    body_ = Shapes::capsule(rect());
}

void SoftButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    painter.setOpacity(isEnabled() ? 1 : 0.45);
    const QPointF centre = QRectF(rect()).center();
    const qreal scale = 1 - 0.05 * press();
    painter.translate(centre);
    painter.scale(scale, scale);
    painter.translate(-centre);

    painter.fillPath(body_, Palette::sunken.current());
    if (hover() > 0)
        painter.fillPath(body_, Palette::ink.withOpacity(0.06 * hover()).current());
    label_.paint(painter, Palette::ink.current());
    paintFocusRing(painter, rect(), height() / 2.0);
}
