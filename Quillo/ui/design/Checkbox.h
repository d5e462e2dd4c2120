#pragma once

#include <QWidget>

#include "ui/design/CheckState.h"
#include "ui/design/DynamicColor.h"

class Motion;

// A 20 × 20 rounded check box: a card-coloured box with a faint border when off, filled with its
// colour and carrying a white tick (on) or dash (mixed) otherwise. The box is slightly smaller
// except when on; the mark grows and fades in and out. It has no action: the row holding it toggles.
class Checkbox : public QWidget {
    Q_OBJECT
    Q_PROPERTY(qreal onAmount READ onAmount WRITE setOnAmount)
    Q_PROPERTY(qreal markAmount READ markAmount WRITE setMarkAmount)

public:
    Checkbox(CheckState state, DynamicColor color, QWidget* parent = nullptr);

    CheckState state() const { return state_; }
    void setState(CheckState state);
    void setColor(DynamicColor color);

    // 0 → 1 as the box becomes `on`: its scale.
    qreal onAmount() const { return onAmount_; }
    void setOnAmount(qreal amount);
    // 0 → 1 as a mark appears (off → on or mixed): the fill and the mark.
    qreal markAmount() const { return markAmount_; }
    void setMarkAmount(qreal amount);

    QSize sizeHint() const override { return {20, 20}; }

    // Draws a check box in `box` (20 × 20 at rest) in any state of its animations, for rows
    // painted by a delegate; the at-rest amounts are 1 for `on` and for a shown mark.
    static void paint(QPainter& painter, const QRectF& box, CheckState state, const QColor& color, qreal onAmount,
                      qreal markAmount);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CheckState state_;
    CheckState markState_;
    DynamicColor color_;
    qreal onAmount_;
    qreal markAmount_;
    Motion* onMotion_;
    Motion* markMotion_;
};
