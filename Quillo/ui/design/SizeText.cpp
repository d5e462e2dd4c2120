#include "ui/design/SizeText.h"

#include <algorithm>
#include <cmath>

#include <QFontMetricsF>
#include <QPainter>

#include "ui/design/Motion.h"

namespace {

constexpr qreal unitOpacity = 0.6;

} // namespace

SizeText::SizeText(std::int64_t bytes, const QFont& valueFont, const QFont& unitFont, ByteFormat::Style style,
                   DynamicColor color, QWidget* parent)
    : QWidget(parent), bytes_(bytes), valueFont_(valueFont), unitFont_(unitFont), style_(style),
      color_(color),
      motion_(new Motion(this, [this](qreal v) { setRoll(v); }, 1))
{
    const QFontMetricsF value(valueFont_);
    const QFontMetricsF unit(unitFont_);
    ascent_ = std::max(value.ascent(), unit.ascent());
    descent_ = std::max(value.descent(), unit.descent());
    current_ = previous_ = figureFor(bytes_);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAccessibleName(ByteFormat::string(bytes_, style_));
}

SizeText::Figure SizeText::figureFor(std::int64_t bytes) const
{
    const ByteFormat::Parts parts = ByteFormat::parts(bytes, style_);
    return {MonospacedDigits(parts.value, valueFont_), MonospacedDigits(parts.unit, unitFont_)};
}

void SizeText::setBytes(std::int64_t bytes)
{
    if (bytes == bytes_)
        return;
    const QSize before = sizeHint();
    rollsUp_ = bytes > bytes_;
    bytes_ = bytes;
    previous_ = current_;
    current_ = figureFor(bytes);
    setAccessibleName(ByteFormat::string(bytes_, style_));
    // A live figure changes many times a second; its layout only needs asking when it widens or
    // narrows.
    if (sizeHint() != before)
        updateGeometry();
    motion_->jumpTo(0);
    motion_->animateTo(1, Timing::spring(0.3, 0.85));
}

void SizeText::setColor(DynamicColor color)
{
    color_ = color;
    update();
}

void SizeText::setRoll(qreal roll)
{
    if (roll == roll_)
        return;
    roll_ = roll;
    update();
}

QSize SizeText::sizeHint() const
{
    return {int(std::ceil(current_.width())), int(std::ceil(ascent_ + descent_))};
}

// Characters that stay put are drawn once; those that change slide out and in, fading. A figure
// that changes length rolls as a whole.
void SizeText::paintRolling(QPainter& painter, const MonospacedDigits& from, const MonospacedDigits& to, qreal x,
                            qreal distance) const
{
    const qreal t = std::clamp<qreal>(roll_, 0, 1);
    const qreal direction = rollsUp_ ? -1 : 1;
    const qreal opacity = painter.opacity();
    const QPointF baseline(x, ascent_);
    if (t >= 1 || from.text() == to.text()) {
        to.draw(painter, baseline);
        return;
    }
    const QPointF out(0, direction * distance * roll_);
    const QPointF in(0, -direction * distance * (1 - roll_));
    if (from.text().size() != to.text().size()) {
        painter.setOpacity(opacity * (1 - t));
        from.draw(painter, baseline + out);
        painter.setOpacity(opacity * t);
        to.draw(painter, baseline + in);
        painter.setOpacity(opacity);
        return;
    }
    for (int i = 0; i < to.text().size(); ++i) {
        const QPointF cell = baseline + QPointF(to.characterX(i), 0);
        if (from.text()[i] == to.text()[i]) {
            to.drawCharacter(painter, cell, i);
            continue;
        }
        painter.setOpacity(opacity * (1 - t));
        from.drawCharacter(painter, baseline + QPointF(from.characterX(i), 0) + out, i);
        painter.setOpacity(opacity * t);
        to.drawCharacter(painter, cell + in, i);
        painter.setOpacity(opacity);
    }
}

void SizeText::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(color_.current());
    const qreal distance = ascent_ * 0.6;
    paintRolling(painter, previous_.value, current_.value, 0, distance);
    painter.setOpacity(unitOpacity);
    paintRolling(painter, previous_.unit, current_.unit, current_.value.width() + spacing, distance);
}
