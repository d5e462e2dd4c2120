#include "ui/mascot/MascotShapes.h"

namespace MascotShapes {

QPainterPath smile(const QRectF& r)
{
    QPainterPath path(r.topLeft());
    path.quadTo(QPointF(r.center().x(), r.top() + 2 * r.height()), r.topRight());
    return path;
}

QPainterPath happyEye(const QRectF& r)
{
    QPainterPath path(r.bottomLeft());
    path.quadTo(QPointF(r.center().x(), r.bottom() - 2 * r.height()), r.bottomRight());
    return path;
}

QPainterPath grin(const QRectF& r)
{
    QPainterPath path(r.topLeft());
    path.lineTo(r.topRight());
    path.quadTo(QPointF(r.center().x(), r.top() + 2 * r.height()), r.topLeft());
    path.closeSubpath();
    return path;
}

QPainterPath sparkle(const QRectF& r)
{
    const qreal dx = r.width() * 0.08;
    const qreal dy = r.height() * 0.08;
    const QPointF c = r.center();
    QPainterPath path(QPointF(c.x(), r.top()));
    path.quadTo(QPointF(c.x() + dx, c.y() - dy), QPointF(r.right(), c.y()));
    path.quadTo(QPointF(c.x() + dx, c.y() + dy), QPointF(c.x(), r.bottom()));
    path.quadTo(QPointF(c.x() - dx, c.y() + dy), QPointF(r.left(), c.y()));
    path.quadTo(QPointF(c.x() - dx, c.y() - dy), QPointF(c.x(), r.top()));
    path.closeSubpath();
    return path;
}

} // namespace MascotShapes
