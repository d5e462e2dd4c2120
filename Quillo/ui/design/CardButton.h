#pragma once

#include <optional>

#include <QPainterPath>
#include <QPointer>

#include "ui/design/DynamicColor.h"
#include "ui/design/StyledButton.h"

class DropShadow;
class Motion;
class CardTransform;

// A whole card that can be clicked: its content is laid out inside it (set a layout), and the
// card lifts with a soft shadow under the pointer and shrinks a little while pressed, content and
// all. The card's own look is either a coloured fill or the standard card look (Card).
class CardButton : public StyledButton {
    Q_OBJECT
    Q_PROPERTY(qreal hover READ hover WRITE setHover)
    Q_PROPERTY(qreal lift READ lift WRITE setLift)
    Q_PROPERTY(qreal press READ press WRITE setPress)

public:
    explicit CardButton(qreal cornerRadius, QWidget* parent = nullptr);

    // A plain fill without border or shadow at rest.
    void setFill(DynamicColor fill);
    // The card look: card fill, hairline border and the resting card shadow.
    void setCardLook();

    qreal cornerRadius() const { return cornerRadius_; }

    // 0 → 1 under the pointer: the hover shadow.
    qreal hover() const { return hover_; }
    void setHover(qreal hover);
    // 0 → 1 hovered and not pressed: raised by three units.
    qreal lift() const { return lift_; }
    void setLift(qreal lift);
    qreal press() const { return press_; }
    void setPress(qreal press);

protected:
    void interactionChanged(bool byPress) override;
    bool hitButton(const QPoint& position) const override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void transformChanged();

    qreal cornerRadius_;
    std::optional<DynamicColor> fill_;
    QPainterPath shape_;
    bool cardLook_ = false;
    qreal hover_ = 0;
    qreal lift_ = 0;
    qreal press_ = 0;
    Motion* hoverMotion_;
    Motion* liftMotion_;
    Motion* pressMotion_;
    CardTransform* transform_;
    QPointer<DropShadow> shadow_;
};
