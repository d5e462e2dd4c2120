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

protected:
    void interactionChanged(bool byPress) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QString symbol_;
};
