#pragma once

#include <QPainterPath>

#include "ui/design/ButtonLabel.h"
#include "ui/design/ButtonSize.h"
#include "ui/design/StyledButton.h"

class Motion;

// A quiet, secondary button: a sunken capsule that darkens slightly under the pointer and
// shrinks a little while pressed.
class SoftButton : public StyledButton {
    Q_OBJECT
    Q_PROPERTY(qreal hover READ hover WRITE setHover)
    Q_PROPERTY(qreal press READ press WRITE setPress)

public:
    explicit SoftButton(const QString& text, ButtonSize size = ButtonSize::regular, QWidget* parent = nullptr);

    void setText(const QString& text);
    void setSymbol(const QString& symbolName);

    // 0 at rest, 1 under the pointer.
    qreal hover() const { return hover_; }
    void setHover(qreal hover);
    // 0 at rest, 1 pressed.
    qreal press() const { return press_; }
    void setPress(qreal press);

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
    qreal hover_ = 0;
    qreal press_ = 0;
    Motion* hoverMotion_;
    Motion* pressMotion_;
};
