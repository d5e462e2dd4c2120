#pragma once

#include <QAbstractButton>

class QShortcut;

// What the button styles share: hover tracked from the pointer entering and leaving, the pressed
// and enabled states read from the button, and a hook each style uses to start its animations
// when one of the three changes. Subclasses paint; geometry is computed when content or size
// changes, never while painting.
class StyledButton : public QAbstractButton {
    Q_OBJECT

public:
    bool isHovered() const { return hovered_; }
    // Set by the pointer; public so a preview can show the hovered look.
    void setHovered(bool hovered);

    // The default button of its window: Return and Enter press it while it is visible and enabled.
    void setDefault(bool isDefault);

protected:
    explicit StyledButton(QWidget* parent);

    // Hover, pressed or enabled changed; `byPress` tells a change of pressed from the others, for
    // styles whose animations differ by cause.
    virtual void interactionChanged(bool byPress) = 0;

    bool isEffectivelyHovered() const { return hovered_ && isEnabled(); }

    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    bool hovered_ = false;
    QShortcut* returnKey_ = nullptr;
    QShortcut* enterKey_ = nullptr;
};
