#pragma once

#include <optional>

#include <QPainterPath>
#include <QWidget>

#include "ui/design/DynamicColor.h"
#include "ui/design/Motion.h"

// What a progress capsule and a usage bar share: a sunken capsule track the full width, and on it
// from the leading end a coloured capsule whose width follows BarGeometry::fillWidth of the
// fraction. The shown fraction moves to a new one with the subclass's timing.
class FillBar : public QWidget {
    Q_OBJECT
    Q_PROPERTY(qreal shownFraction READ shownFraction WRITE setShownFraction)

public:
    std::optional<qreal> fraction() const { return fraction_; }
    void setColor(DynamicColor color);
    DynamicColor color() const { return color_; }

    // The fraction as drawn right now: 1 stands for "no fraction" (a full bar).
    qreal shownFraction() const { return shownFraction_; }
    void setShownFraction(qreal fraction);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    FillBar(std::optional<qreal> fraction, DynamicColor color, qreal height, QWidget* parent);

    void setFraction(std::optional<qreal> fraction, const Timing& timing);
    QRectF fillRect() const { return fillRect_; }
    const QPainterPath& fillShape() const { return fillShape_; }
    // Paints track and fill; subclasses draw over the fill.
    void paintBar(QPainter& painter) const;

    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void relayout();

    std::optional<qreal> fraction_;
    DynamicColor color_;
    qreal height_;
    qreal shownFraction_;
    QRectF fillRect_;
    QPainterPath trackShape_;
    QPainterPath fillShape_;
    Motion* motion_;
};
