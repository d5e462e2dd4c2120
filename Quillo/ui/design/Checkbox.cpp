#include "ui/design/Checkbox.h"

#include <algorithm>

#include <QPainter>

#include "ui/design/Motion.h"
#include "ui/design/Palette.h"
#include "ui/design/Shapes.h"
#include "ui/design/Symbols.h"

namespace {

constexpr qreal side = 20;
constexpr qreal cornerRadius = 6.5;
constexpr qreal borderWidth = 1.5;
constexpr qreal markFontSize = 10;

} // namespace

Checkbox::Checkbox(CheckState state, DynamicColor color, QWidget* parent)
    : QWidget(parent), state_(state), markState_(state), color_(color), onAmount_(state == CheckState::on ? 1 : 0),
      markAmount_(state == CheckState::off ? 0 : 1),
      onMotion_(new Motion(this, [this](qreal v) { setOnAmount(v); }, onAmount_)),
      markMotion_(new Motion(this, [this](qreal v) { setMarkAmount(v); }, markAmount_))
{
    setFixedSize(int(side), int(side));
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Checkbox::setState(CheckState state)
{
    if (state == state_)
        return;
    state_ = state;
    // A mark leaving keeps its glyph while it fades.
    if (state != CheckState::off)
        markState_ = state;
    const Timing spring = Timing::spring(0.25, 0.5);
    onMotion_->animateTo(state == CheckState::on ? 1 : 0, spring);
    markMotion_->animateTo(state == CheckState::off ? 0 : 1, spring);
    update();
}

void Checkbox::setColor(DynamicColor color)
{
    color_ = color;
    update();
}

void Checkbox::setOnAmount(qreal amount)
{
    if (amount == onAmount_)
        return;
    onAmount_ = amount;
    update();
}

void Checkbox::setMarkAmount(qreal amount)
{
    if (amount == markAmount_)
        return;
    markAmount_ = amount;
    update();
}

void Checkbox::paint(QPainter& painter, const QRectF& box, CheckState state, const QColor& color, qreal onAmount,
                     qreal markAmount)
{
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    const qreal scale = 0.94 + 0.06 * onAmount;
    painter.translate(box.center());
    painter.scale(scale, scale);
    painter.translate(-box.center());

    const qreal mark = std::clamp<qreal>(markAmount, 0, 1);
    painter.fillPath(Shapes::roundedRect(box, cornerRadius), blend(Palette::card.current(), color, mark));
    if (mark < 1) {
        QColor border = Palette::inkTertiary.current();
        border.setAlphaF(border.alphaF() * (1 - mark));
        const qreal inset = borderWidth / 2;
        painter.strokePath(Shapes::roundedRect(box.adjusted(inset, inset, -inset, -inset), cornerRadius - inset),
                           QPen(border, borderWidth));
    }
    if (state != CheckState::off && markAmount > 0) {
        const qreal glyph = Symbols::sideForFontSize(markFontSize) * std::max<qreal>(markAmount, 0);
        painter.setOpacity(painter.opacity() * mark);
        const QRectF glyphRect(box.center() - QPointF(glyph / 2, glyph / 2), QSizeF(glyph, glyph));
        Symbols::paint(painter, glyphRect, state == CheckState::on ? QStringLiteral("checkmark") : QStringLiteral("minus"),
                       Qt::white);
    }
    painter.restore();
}

void Checkbox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paint(painter, QRectF(0, 0, side, side), markState_, color_.current(), onAmount_, markAmount_);
}
