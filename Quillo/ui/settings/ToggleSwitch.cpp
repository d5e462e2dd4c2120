#include "ui/settings/ToggleSwitch.h"

#include <algorithm>

#include <QPainter>

#include "ui/design/DynamicColor.h"
#include "ui/design/Motion.h"
#include "ui/design/Palette.h"
#include "ui/design/Shadow.h"
#include "ui/design/Shapes.h"

ToggleSwitch::ToggleSwitch(const QString& name, QWidget* parent)
    : QCheckBox(parent), motion_(new Motion(this, [this](qreal v) { setKnob(v); }, 0))
{
    setAccessibleName(name);
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(this, &QCheckBox::toggled, this,
            [this](bool on) { motion_->animateTo(on ? 1 : 0, Timing::spring(0.3, 0.8)); });
}

void ToggleSwitch::setKnob(qreal knob)
{
    knob_ = knob;
    update();
}

bool ToggleSwitch::hitButton(const QPoint& position) const
{
    return rect().contains(position);
}

void ToggleSwitch::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!isEnabled())
        painter.setOpacity(0.45);
    const QRectF track(0, 0, 38, 22);
    const QColor off = Palette::inkTertiary.withOpacity(0.55).current();
    painter.fillPath(Shapes::capsule(track), blend(off, Palette::brand.current(), std::clamp<qreal>(knob_, 0, 1)));
    const qreal side = track.height() - 4;
    const QRectF knob(2 + (track.width() - side - 4) * knob_, 2, side, side);
    Shadow::paintRoundedRect(painter, knob, side / 2, {QColor(0, 0, 0, 60), 3, {0, 1}});
    painter.setBrush(QColor(Qt::white));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(knob);
    if (hasFocus())
        painter.strokePath(Shapes::capsule(track.adjusted(1, 1, -1, -1)),
                           QPen(Palette::ink.withOpacity(0.45).current(), 2));
}
