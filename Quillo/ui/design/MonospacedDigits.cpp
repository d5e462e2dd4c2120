#include "ui/design/MonospacedDigits.h"

#include <algorithm>

#include <QFontMetricsF>
#include <QPainter>

MonospacedDigits::MonospacedDigits(const QString& text, const QFont& font) : text_(text), font_(font)
{
    const QFontMetricsF metrics(font_);
    qreal digitCell = 0;
    for (QChar digit = u'0'; digit <= u'9'; digit = QChar(digit.unicode() + 1))
        digitCell = std::max(digitCell, metrics.horizontalAdvance(digit));
    for (const QChar character : text_) {
        const qreal advance = metrics.horizontalAdvance(character);
        const qreal cell = character.isDigit() ? digitCell : advance;
        positions_.push_back(width_);
        // A narrow digit sits in the middle of its cell.
        glyphOffsets_.push_back((cell - advance) / 2);
        width_ += cell;
    }
}

void MonospacedDigits::draw(QPainter& painter, QPointF origin) const
{
    for (int i = 0; i < text_.size(); ++i)
        drawCharacter(painter, origin + QPointF(positions_[std::size_t(i)], 0), i);
}

void MonospacedDigits::drawCharacter(QPainter& painter, QPointF origin, int index) const
{
    painter.setFont(font_);
    painter.drawText(origin + QPointF(glyphOffsets_[std::size_t(index)], 0), QString(text_[index]));
}
