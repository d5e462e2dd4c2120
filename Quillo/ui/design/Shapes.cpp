#include "ui/design/Shapes.h"

#include <algorithm>
#include <array>

namespace Shapes {

namespace {

struct CornerPoint {
    qreal along; // distance from the corner along the edge the path arrives by, in radii
    qreal into;  // distance from the corner along the edge it leaves by
};

// A corner is walked as: line, curve, line, curve, line, curve (each curve is two control points
// and an end point). The continuous corner is the widely published smooth-corner curve.
using CornerSteps = std::array<CornerPoint, 12>;

constexpr qreal continuousReach = 1.52866483;

constexpr CornerSteps continuousCorner{{
    {1.52866483, 0},
    {1.08849323, 0}, {0.86840689, 0}, {0.66993427, 0.06549600},
    {0.63149399, 0.07491100},
    {0.37282392, 0.16905899}, {0.16905899, 0.37282392}, {0.07491100, 0.63149399},
    {0.06549600, 0.66993427},
    {0, 0.86840689}, {0, 1.08849323}, {0, 1.52866483},
}};

// A quarter circle in the same steps, so the two can be blended point by point.
constexpr qreal arcControl = 1.0 - 0.55228475;
constexpr CornerSteps circularCorner{{
    {1, 0},
    {1, 0}, {1, 0}, {1, 0},
    {1, 0},
    {arcControl, 0}, {0, arcControl}, {0, 1},
    {0, 1},
    {0, 1}, {0, 1}, {0, 1},
}};

struct Corner {
    QPointF vertex;
    QPointF along;
    QPointF into;
};

void addCorner(QPainterPath& path, const Corner& corner, qreal radius, qreal circularShare)
{
    auto point = [&](std::size_t i) {
        const CornerPoint& c = continuousCorner[i];
        const CornerPoint& a = circularCorner[i];
        const qreal along = (c.along + (a.along - c.along) * circularShare) * radius;
        const qreal into = (c.into + (a.into - c.into) * circularShare) * radius;
        return corner.vertex + corner.along * along + corner.into * into;
    };
    path.lineTo(point(0));
    path.cubicTo(point(1), point(2), point(3));
    path.lineTo(point(4));
    path.cubicTo(point(5), point(6), point(7));
    path.lineTo(point(8));
    path.cubicTo(point(9), point(10), point(11));
}

} // namespace

QPainterPath roundedRect(const QRectF& rect, qreal radius)
{
    QPainterPath path;
    const qreal half = std::min(rect.width(), rect.height()) / 2;
    radius = std::clamp(radius, qreal(0), half);
    if (radius <= 0) {
        path.addRect(rect);
        return path;
    }
    // 0 while the full continuous corner fits in half the shorter side, 1 at radius == half.
    const qreal reach = continuousReach * radius;
    const qreal circularShare = reach <= half ? 0 : (reach - half) / (reach - radius);

    const qreal startAlong = (continuousReach + (1 - continuousReach) * circularShare) * radius;
    path.moveTo(rect.left() + startAlong, rect.top());
    addCorner(path, {rect.topRight(), {-1, 0}, {0, 1}}, radius, circularShare);
    addCorner(path, {rect.bottomRight(), {0, -1}, {-1, 0}}, radius, circularShare);
    addCorner(path, {rect.bottomLeft(), {1, 0}, {0, -1}}, radius, circularShare);
    addCorner(path, {rect.topLeft(), {0, 1}, {1, 0}}, radius, circularShare);
    path.closeSubpath();
    return path;
}

QPainterPath capsule(const QRectF& rect)
{
    return roundedRect(rect, std::min(rect.width(), rect.height()) / 2);
}

} // namespace Shapes
