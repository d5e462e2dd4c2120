#pragma once

#include <QAbstractButton>

class Motion;
class QPainter;
class QShortcut;
class Timing;

// What the button styles share: hover tracked from the pointer entering and leaving, the pressed
// and enabled states read from the button, a hook each style uses to start its animations when
// one of the three changes, and the animated amounts the styles draw from. Subclasses paint;
// geometry is computed when content or size changes, never while painting.
class StyledButton : public QAbstractButton {
    Q_OBJECT
    Q_PROPERTY(qreal hover READ hover WRITE setHover)
    Q_PROPERTY(qreal lift READ lift WRITE setLift)
    Q_PROPERTY(qreal press READ press WRITE setPress)

public:
    bool isHovered() const { return hovered_; }
    // Set by the pointer; public so a preview can show the hovered look.
    void setHovered(bool hovered);

    // The default button of its window: Return and Enter press it while it is visible and enabled.
    void setDefault(bool isDefault);

    // 0 → 1 as the pointer comes over the button.
    qreal hover() const { return hover_; }
    void setHover(qreal hover) { set(hover_, hover); }
    // 0 → 1 as the button rises (the styles that lift: while hovered, enabled and not pressed).
    qreal lift() const { return lift_; }
    void setLift(qreal lift) { set(lift_, lift); }
    // 0 → 1 as the button is pressed.
    qreal press() const { return press_; }
    void setPress(qreal press) { set(press_, press); }

protected:
    explicit StyledButton(QWidget* parent);

    // Hover, pressed or enabled changed; `byPress` tells a change of pressed from the others, for
    // styles whose animations differ by cause.
    virtual void interactionChanged(bool byPress) = 0;
    // An animated amount moved; the look follows. Repaints unless a style needs more.
    virtual void lookChanged() { update(); }

    enum class Amount { hover, lift, press };
    void animate(Amount amount, qreal target, const Timing& timing);

    bool isEffectivelyHovered() const { return hovered_ && isEnabled(); }

    // A ring just inside `shape` while the button has the keyboard focus (buttons take focus from
    // Tab only, so a click never leaves one).
    void paintFocusRing(QPainter& painter, const QRectF& shape, qreal cornerRadius) const;

    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void set(qreal& amount, qreal value);

    bool hovered_ = false;
    qreal hover_ = 0;
    qreal lift_ = 0;
    qreal press_ = 0;
    Motion* hoverMotion_;
    Motion* liftMotion_;
    Motion* pressMotion_;
    QShortcut* returnKey_ = nullptr;
    QShortcut* enterKey_ = nullptr;
};
