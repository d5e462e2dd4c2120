#pragma once

#include <optional>

#include <QPainterPath>
#include <QPointer>

#include "ui/design/DynamicColor.h"
#include "ui/design/StyledButton.h"

class DropShadow;
class CardTransform;

// A whole card that can be clicked: its content is laid out inside it (set a layout), and the
// card lifts with a soft shadow under the pointer and shrinks a little while pressed, content and
// all. The card's own look is either a coloured fill or the standard card look (Card).
class CardButton : public StyledButton {
    Q_OBJECT

public:
    explicit CardButton(qreal cornerRadius, QWidget* parent = nullptr);

    // A plain fill without border or shadow at rest.
    void setFill(DynamicColor fill);
    // The card look: card fill, hairline border and the resting card shadow.
    void setCardLook();

    qreal cornerRadius() const { return cornerRadius_; }

protected:
    // Hover brings the shadow, lift raises the card three units, press shrinks it.
    void interactionChanged(bool byPress) override;
    void lookChanged() override { transformChanged(); }
    bool hitButton(const QPoint& position) const override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void transformChanged();

    qreal cornerRadius_;
    std::optional<DynamicColor> fill_;
    QPainterPath shape_;
    bool cardLook_ = false;
    CardTransform* transform_;
    QPointer<DropShadow> shadow_;
};
