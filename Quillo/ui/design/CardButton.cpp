#include "ui/design/CardButton.h"

#include <algorithm>

#include <QGraphicsEffect>
#include <QPainter>

#include "ui/design/Card.h"
#include "ui/design/DropShadow.h"
#include "ui/design/Motion.h"
#include "ui/design/Palette.h"
#include "ui/design/Shapes.h"

namespace {

constexpr qreal liftDistance = 3;
constexpr qreal pressedScale = 0.98;

} // namespace

// Moves and scales the card with everything in it. Child widgets cannot be scaled one by one, so
// while the card is raised or pressed its rendering is drawn transformed; at rest the effect is
// off and the card paints as any widget does.
class CardTransform : public QGraphicsEffect {
public:
    using QGraphicsEffect::QGraphicsEffect;

    void set(qreal rise, qreal scale)
    {
        rise_ = rise;
        scale_ = scale;
        setEnabled(rise_ != 0 || scale_ != 1);
        updateBoundingRect();
        update();
    }

    QRectF boundingRectFor(const QRectF& rect) const override
    {
        const qreal reach = std::max<qreal>(rise_, 0) + 1;
        return rect.adjusted(0, -reach, 0, reach);
    }

protected:
    void draw(QPainter* painter) override
    {
        QPoint offset;
        const QPixmap rendering = sourcePixmap(Qt::LogicalCoordinates, &offset, QGraphicsEffect::NoPad);
        const QRectF area = sourceBoundingRect(Qt::LogicalCoordinates);
        painter->save();
        painter->setRenderHint(QPainter::SmoothPixmapTransform);
        painter->translate(area.center() + QPointF(0, -rise_));
        painter->scale(scale_, scale_);
        painter->translate(-area.center());
        painter->drawPixmap(offset, rendering);
        painter->restore();
    }

private:
    qreal rise_ = 0;
    qreal scale_ = 1;
};

CardButton::CardButton(qreal cornerRadius, QWidget* parent)
    : StyledButton(parent), cornerRadius_(cornerRadius), transform_(new CardTransform(this)),
      shadow_(new DropShadow(this))
{
    setGraphicsEffect(transform_);
    transform_->setEnabled(false);
    DropShadow::markAsSurface(this);
}

void CardButton::setFill(DynamicColor fill)
{
    fill_ = fill;
    cardLook_ = false;
    transformChanged();
    update();
}

void CardButton::setCardLook()
{
    fill_ = Palette::card;
    cardLook_ = true;
    transformChanged();
    update();
}

void CardButton::interactionChanged(bool byPress)
{
    const Timing hoverSpring = Timing::spring(0.3, 0.65);
    const Timing pressSpring = Timing::spring(0.25, 0.55);
    animate(Amount::hover, isEffectivelyHovered() ? 1 : 0, hoverSpring);
    animate(Amount::lift, isEffectivelyHovered() && !isDown() ? 1 : 0, byPress ? pressSpring : hoverSpring);
    animate(Amount::press, isDown() ? 1 : 0, pressSpring);
}

bool CardButton::hitButton(const QPoint& position) const
{
    return shape_.contains(position);
}

void CardButton::resizeEvent(QResizeEvent* event)
{
    StyledButton::resizeEvent(event);
    shape_ = Shapes::roundedRect(rect(), cornerRadius_);
    transformChanged();
}

// The card as drawn moves its shadow along.
void CardButton::transformChanged()
{
    const qreal rise = liftDistance * lift();
    const qreal scale = 1 - (1 - pressedScale) * press();
    transform_->set(rise, scale);
    if (!shadow_)
        return;
    QRectF body(QPointF(), QSizeF(size()) * scale);
    body.moveCenter(QRectF(rect()).center() - QPointF(0, rise));
    std::vector<ShadowLayer> layers;
    if (cardLook_)
        layers.push_back(Card::restingShadow());
    layers.push_back({Palette::shadow, std::clamp<qreal>(hover(), 0, 1), 18, {0, 10}});
    shadow_->setShape(body, cornerRadius_ * scale, std::move(layers));
}

void CardButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (cardLook_)
        Card::paintBody(painter, rect(), cornerRadius_);
    else if (fill_)
        painter.fillPath(shape_, fill_->current());
    paintFocusRing(painter, rect(), cornerRadius_);
}
