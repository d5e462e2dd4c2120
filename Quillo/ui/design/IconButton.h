#pragma once

#include "ui/design/StyledButton.h"

// A round 28 × 28 button holding one symbol on a sunken disc, which darkens under the pointer.
// Its help text is the tooltip.
class IconButton : public StyledButton {
    Q_OBJECT

public:
    explicit IconButton(const QString& symbolName, const QString& help = {}, QWidget* parent = nullptr);

    void setSymbol(const QString& symbolName);
    const QString& symbol() const { return symbol_; }

    QSize sizeHint() const override { return {28, 28}; }

    static constexpr qreal side = 28;
    // The button's disc and symbol in `disc` (28 × 28 at rest), for code that paints rows itself;
    // `hover` and `press` are the 0 → 1 amounts.
    static void paint(QPainter& painter, const QRectF& disc, const QString& symbolName, qreal hover, qreal press);

protected:
    void interactionChanged(bool byPress) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QString symbol_;
};
