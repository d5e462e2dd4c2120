#include "ui/design/StyledButton.h"

#include <QCursor>
#include <QEvent>
#include <QShortcut>

#include <QPainter>

#include "ui/design/Motion.h"
#include "ui/design/Palette.h"
#include "ui/design/Shapes.h"

StyledButton::StyledButton(QWidget* parent)
    : QAbstractButton(parent), hoverMotion_(new Motion(this, [this](qreal v) { setHover(v); })),
      liftMotion_(new Motion(this, [this](qreal v) { setLift(v); })),
      pressMotion_(new Motion(this, [this](qreal v) { setPress(v); }))
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    connect(this, &QAbstractButton::pressed, this, [this] { interactionChanged(true); });
    connect(this, &QAbstractButton::released, this, [this] { interactionChanged(true); });
}

void StyledButton::set(qreal& amount, qreal value)
{
    if (value == amount)
        return;
    amount = value;
    lookChanged();
}

void StyledButton::animate(Amount amount, qreal target, const Timing& timing)
{
    Motion* motion = amount == Amount::hover ? hoverMotion_ : amount == Amount::lift ? liftMotion_ : pressMotion_;
    motion->animateTo(target, timing);
}

void StyledButton::paintFocusRing(QPainter& painter, const QRectF& shape, qreal cornerRadius) const
{
    if (!hasFocus())
        return;
    const QRectF ring = shape.adjusted(1, 1, -1, -1);
    painter.strokePath(Shapes::roundedRect(ring, cornerRadius - 1), QPen(Palette::ink.withOpacity(0.45).current(), 2));
}

void StyledButton::setHovered(bool hovered)
{
    if (hovered == hovered_)
        return;
    hovered_ = hovered;
    interactionChanged(false);
}

void StyledButton::setDefault(bool isDefault)
{
    if (isDefault == (returnKey_ != nullptr))
        return;
    if (!isDefault) {
        delete returnKey_;
        delete enterKey_;
        returnKey_ = enterKey_ = nullptr;
        return;
    }
    // A shortcut owned by the button fires only while the button is visible and enabled.
    returnKey_ = new QShortcut(QKeySequence(Qt::Key_Return), this, this, [this] { animateClick(); });
    enterKey_ = new QShortcut(QKeySequence(Qt::Key_Enter), this, this, [this] { animateClick(); });
}

void StyledButton::enterEvent(QEnterEvent* event)
{
    QAbstractButton::enterEvent(event);
    setHovered(true);
}

void StyledButton::leaveEvent(QEvent* event)
{
    QAbstractButton::leaveEvent(event);
    setHovered(false);
}

void StyledButton::changeEvent(QEvent* event)
{
    QAbstractButton::changeEvent(event);
    if (event->type() != QEvent::EnabledChange)
        return;
    // A disabled button hears no leave event, so the pointer is asked where it is.
    hovered_ = isVisible() && rect().contains(mapFromGlobal(QCursor::pos()));
    interactionChanged(false);
}
