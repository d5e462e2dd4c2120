#pragma once

#include <optional>

#include <QPoint>
#include <QRect>
#include <QSize>

// Where the tray panel opens: beside the tray icon, on the side away from the panel the icon sits
// in, inside the screen's free area.
namespace PanelPlacement {

// Room kept between the panel and the icon, and between the panel and the screen's edges.
inline constexpr int gap = 6;
// A click this close to a screen's edge is on a panel there.
inline constexpr int panelBand = 64;

// The top-left corner of a panel of `size` for an icon at `icon` on a screen whose whole area is
// `screen` and whose area left free by panels is `available`.
QPoint beside(const QRect& icon, const QSize& size, const QRect& screen, const QRect& available);

// Where the icon is: the geometry the tray reports when it reports one, else the point clicked
// (`pointer`, when the platform knows it) if that lies in a band along an edge of `screen`, as
// the tray's panel does; nothing when neither tells.
std::optional<QRect> iconPlace(const QRect& reported, const std::optional<QPoint>& pointer, const QRect& screen);

} // namespace PanelPlacement
