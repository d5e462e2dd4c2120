#pragma once

#include <QPainterPath>
#include <QRectF>

// Rounded shapes with continuous corners: the curvature eases in from the straight edge instead of
// jumping to a circle's, which reads softer than a circular corner of the same radius.
namespace Shapes {

// `radius` is held to half the shorter side. Where the full continuous corner (it reaches 1.53
// radii along each edge) does not fit, the corner blends towards a circular one, so a square with
// radius half its side is a circle and a long bar with it is a capsule.
QPainterPath roundedRect(const QRectF& rect, qreal radius);

// Ends of radius half the shorter side.
QPainterPath capsule(const QRectF& rect);

} // namespace Shapes
