#pragma once

#include <QPainterPath>
#include <QPointer>

#include "ui/design/ButtonLabel.h"
#include "ui/design/ButtonSize.h"
#include "ui/design/DynamicColor.h"
#include "ui/design/StyledButton.h"

class DropShadow;
class Motion;

// The primary, coloured button: a glossy capsule with a coloured shadow that lifts under the
// pointer and shrinks while pressed. The widget is a little taller than the capsule, evenly above
// and below, so the lift is not clipped and rows of buttons still centre alike.
class PillButton : public StyledButton {
    Q_OBJECT
    Q_PROPERTY(qreal lift READ lift WRITE setLift)
    Q_PROPERTY(qreal press READ press WRITE setPress)

public:
    PillButton(const QString& text, DynamicColor color, DynamicColor textColor = DynamicColor(hexColor(0xFFFFFF)),
               ButtonSize size = ButtonSize::regular, QWidget* parent = nullptr);

    void setText(const QString& text);
    void setSymbol(const QString& symbolName);
    void setColors(DynamicColor color, DynamicColor textColor);

    // 0 resting, 1 lifted (hovered, enabled and not pressed).
    qreal lift() const { return lift_; }
    void setLift(qreal lift);
    qreal press() const { return press_; }
    void setPress(qreal press);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    // The room above and below the capsule.
    static constexpr qreal liftRoom = 2;

protected:
    void interactionChanged(bool byPress) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void relayout();
    QRectF body() const;
    QRectF transformedBody() const;
    void updateShadow();

    ButtonSize size_;
    DynamicColor color_;
    DynamicColor textColor_;
    ButtonLabel label_;
    QPainterPath capsule_;
    qreal lift_ = 0;
    qreal press_ = 0;
    Motion* liftMotion_;
    Motion* pressMotion_;
    QPointer<DropShadow> shadow_;
};
