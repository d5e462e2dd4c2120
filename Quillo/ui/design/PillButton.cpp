#include "ui/design/PillButton.h"

#include <algorithm>
#include <cmath>

#include <QEvent>
#include <QLinearGradient>
#include <QPainter>

#include "ui/design/DropShadow.h"
#include "ui/design/Motion.h"
#include "ui/design/Shapes.h"

PillButton::PillButton(const QString& text, DynamicColor color, DynamicColor textColor, ButtonSize size,
                       QWidget* parent)
    : StyledButton(parent), size_(size), color_(color), textColor_(textColor), shadow_(new DropShadow(this))
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setText(text);
}

void PillButton::setText(const QString& text)
{
    QAbstractButton::setText(text);
    label_.setContent(text, label_.symbol(), buttonFont(size_));
    relayout();
}

void PillButton::setSymbol(const QString& symbolName)
{
    label_.setContent(text(), symbolName, buttonFont(size_));
    relayout();
}

void PillButton::setColors(DynamicColor color, DynamicColor textColor)
{
    color_ = color;
    textColor_ = textColor;
    updateShadow();
    update();
}

void PillButton::lookChanged()
{
    updateShadow();
    update();
}

QSize PillButton::sizeHint() const
{
    const QSizeF label = label_.naturalSize();
    return {int(std::ceil(label.width() + 2 * buttonPadding(size_))), int(buttonHeight(size_) + 2 * liftRoom)};
}

void PillButton::interactionChanged(bool byPress)
{
    const bool lifted = isEffectivelyHovered() && !isDown();
    // The lift follows whichever change caused it, each with its own spring.
    animate(Amount::lift, lifted ? 1 : 0, byPress ? Timing::spring(0.25, 0.5) : Timing::spring(0.3, 0.7));
    if (byPress)
        animate(Amount::press, isDown() ? 1 : 0, Timing::spring(0.25, 0.5));
}

void PillButton::changeEvent(QEvent* event)
{
    StyledButton::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        updateShadow();
        update();
    }
}

QRectF PillButton::body() const
{
    return QRectF(0, liftRoom, width(), buttonHeight(size_));
}

// The capsule as drawn: raised by the lift and scaled about its centre by the press.
QRectF PillButton::transformedBody() const
{
    const QRectF rest = body();
    const qreal scale = 1 - 0.06 * press();
    QRectF scaled(QPointF(), rest.size() * scale);
    scaled.moveCenter(rest.center() + QPointF(0, -1.5 * lift()));
    return scaled;
}

void PillButton::updateShadow()
{
    if (!shadow_)
        return;
    // Two fixed blurs cross-fade as the button lifts, so the blur never has to be redone.
    const qreal enabled = isEnabled() ? 1 : 0;
    const qreal lifted = std::clamp<qreal>(lift(), 0, 1);
    const QRectF shape = transformedBody();
    shadow_->setShape(shape, shape.height() / 2,
                      {{color_, 0.3 * (1 - lifted) * enabled, 7, {0, 3}}, {color_, 0.45 * lifted * enabled, 12, {0, 6}}});
}

void PillButton::relayout()
{
    label_.layout(body());
    capsule_ = Shapes::capsule(body());
    updateShadow();
    updateGeometry();
    update();
}

void PillButton::resizeEvent(QResizeEvent* event)
{
    StyledButton::resizeEvent(event);
    label_.layout(body());
    capsule_ = Shapes::capsule(body());
    updateShadow();
}

void PillButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    painter.setOpacity(isEnabled() ? 1 : 0.45);
    const QRectF rest = body();
    const QRectF drawn = transformedBody();
    const qreal scale = drawn.width() / rest.width();
    painter.translate(drawn.center());
    painter.scale(scale, scale);
    painter.translate(-rest.center());

    painter.fillPath(capsule_, color_.current());
    QLinearGradient gloss(rest.topLeft(), QPointF(rest.left(), rest.center().y()));
    gloss.setColorAt(0, QColor(255, 255, 255, 64));
    gloss.setColorAt(1, QColor(255, 255, 255, 0));
    painter.fillPath(capsule_, gloss);
    label_.paint(painter, textColor_.current());
    paintFocusRing(painter, rest, rest.height() / 2);
}
