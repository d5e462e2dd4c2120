#pragma once

#include <cstdint>

#include <QFont>
#include <QWidget>

#include "foundation/ByteFormat.h"
#include "ui/design/DynamicColor.h"
#include "ui/design/MonospacedDigits.h"
#include "ui/design/Palette.h"

class Motion;

// A byte count as number and unit ("12.5" "GB") on one baseline, 3 apart: the number in its font
// with monospaced digits, the unit in its own at 60 % opacity. When the count changes, the digits
// that differ roll (up when it grows, down when it shrinks) on a spring.
class SizeText : public QWidget {
    Q_OBJECT
    Q_PROPERTY(qreal roll READ roll WRITE setRoll)

public:
    SizeText(std::int64_t bytes, const QFont& valueFont, const QFont& unitFont,
             ByteFormat::Style style = ByteFormat::Style::file, DynamicColor color = Palette::ink,
             QWidget* parent = nullptr);

    std::int64_t bytes() const { return bytes_; }
    void setBytes(std::int64_t bytes);
    void setColor(DynamicColor color);

    // 0 → 1 from the previous figure to the current one.
    qreal roll() const { return roll_; }
    void setRoll(qreal roll);

    // The distance from the top to the shared baseline, for lining up with text beside it.
    qreal baseline() const { return ascent_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Figure {
        MonospacedDigits value;
        MonospacedDigits unit;
        qreal width() const { return value.width() + spacing + unit.width(); }
    };
    static constexpr qreal spacing = 3;

    Figure figureFor(std::int64_t bytes) const;
    void paintRolling(QPainter& painter, const MonospacedDigits& from, const MonospacedDigits& to, qreal x,
                      qreal distance) const;

    std::int64_t bytes_;
    QFont valueFont_;
    QFont unitFont_;
    ByteFormat::Style style_;
    DynamicColor color_;
    Figure previous_;
    Figure current_;
    bool rollsUp_ = true;
    qreal roll_ = 1;
    qreal ascent_ = 0;
    qreal descent_ = 0;
    Motion* motion_;
};
