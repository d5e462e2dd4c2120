#pragma once

#include <vector>

#include <QFont>
#include <QPointF>
#include <QString>

class QPainter;

// Text whose digits all take the width of the widest one, so a changing figure does not jiggle.
// Laid out once per text and font; drawing only reads the result.
class MonospacedDigits {
public:
    MonospacedDigits() = default;
    MonospacedDigits(const QString& text, const QFont& font);

    const QString& text() const { return text_; }
    qreal width() const { return width_; }
    // The left edge of each character.
    qreal characterX(int index) const { return positions_[std::size_t(index)]; }

    // Draws the text with its baseline starting at `origin`.
    void draw(QPainter& painter, QPointF origin) const;
    // Draws one character with its cell starting at `origin`.
    void drawCharacter(QPainter& painter, QPointF origin, int index) const;

private:
    QString text_;
    QFont font_;
    std::vector<qreal> positions_;
    std::vector<qreal> glyphOffsets_;
    qreal width_ = 0;
};
