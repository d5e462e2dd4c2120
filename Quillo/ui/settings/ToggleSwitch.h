#pragma once

#include <QCheckBox>

class Motion;

// An on/off switch: a capsule track, coloured when on, with a knob that slides across. A check
// box underneath, to the keyboard (Space) and to assistive technology.
class ToggleSwitch : public QCheckBox {
    Q_OBJECT
    Q_PROPERTY(qreal knob READ knob WRITE setKnob)

public:
    // `name` is what assistive technology reads; the visible label stands beside the switch.
    explicit ToggleSwitch(const QString& name, QWidget* parent = nullptr);

    // 0 → 1 as the knob slides from off to on.
    qreal knob() const { return knob_; }
    void setKnob(qreal knob);

    QSize sizeHint() const override { return {38, 22}; }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    bool hitButton(const QPoint& position) const override;
    void paintEvent(QPaintEvent* event) override;

private:
    qreal knob_ = 0;
    Motion* motion_;
};
