#pragma once

#include <QPainterPath>
#include <QPointer>

#include "ui/design/ButtonLabel.h"
#include "ui/design/ButtonSize.h"
#include "ui/design/DynamicColor.h"
#include "ui/design/StyledButton.h"

class DropShadow;

// The primary, coloured button: a glossy capsule with a coloured shadow that lifts under the
// pointer and shrinks while pressed. The widget is a little taller than the capsule, evenly above
// and below, so the lift is not clipped and rows of buttons still centre alike.
class PillButton : public StyledButton {
    Q_OBJECT

public:
    PillButton(const QString& text, DynamicColor color, DynamicColor textColor = DynamicColor(hexColor(0xFFFFFF)),
               ButtonSize size = ButtonSize::regular, QWidget* parent = nullptr);

    void setText(const QString& text);
    void setSymbol(const QString& symbolName);
    void setColors(DynamicColor color, DynamicColor textColor);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    // The room above and below the capsule.
    static constexpr qreal liftRoom = 2;

protected:
    void interactionChanged(bool byPress) override;
    void lookChanged() override;
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
    QPointer<DropShadow> shadow_;
};
