#include "ui/design/StyledButton.h"

#include <QCursor>
#include <QEvent>
#include <QShortcut>

StyledButton::StyledButton(QWidget* parent) : QAbstractButton(parent)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    connect(this, &QAbstractButton::pressed, this, [this] { interactionChanged(true); });
    connect(this, &QAbstractButton::released, this, [this] { interactionChanged(true); });
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
