#pragma once

#include <QPainterPath>

#include "ui/design/ButtonLabel.h"
#include "ui/design/ButtonSize.h"
#include "ui/design/StyledButton.h"

// A quiet, secondary button: a sunken capsule that darkens slightly under the pointer and
// shrinks a little while pressed.
class SoftButton : public StyledButton {
    Q_OBJECT

public:
    explicit SoftButton(const QString& text, ButtonSize size = ButtonSize::regular, QWidget* parent = nullptr);

    void setText(const QString& text);
    void setSymbol(const QString& symbolName);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void interactionChanged(bool byPress) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void relayout();

    ButtonSize size_;
    ButtonLabel label_;
    QPainterPath body_;
};
