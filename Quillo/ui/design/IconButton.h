#pragma once

#include "ui/design/StyledButton.h"

class Motion;

// A round 28 × 28 button holding one symbol on a sunken disc, which darkens under the pointer.
// Its help text is the tooltip.
class IconButton : public StyledButton {
    Q_OBJECT
    Q_PROPERTY(qreal hover READ hover WRITE setHover)
    Q_PROPERTY(qreal press READ press WRITE setPress)

public:
    explicit IconButton(const QString& symbolName, const QString& help = {}, QWidget* parent = nullptr);

    void setSymbol(const QString& symbolName);
    const QString& symbol() const { return symbol_; }

    qreal hover() const { return hover_; }
    void setHover(qreal hover);
    qreal press() const { return press_; }
    void setPress(qreal press);

    QSize sizeHint() const override { return {28, 28}; }

protected:
    void interactionChanged(bool byPress) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QString symbol_;
    qreal hover_ = 0;
    qreal press_ = 0;
    Motion* hoverMotion_;
    Motion* pressMotion_;
};
