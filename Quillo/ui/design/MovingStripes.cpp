#include "ui/design/MovingStripes.h"

#include <QPainter>
#include <QPainterPath>

#include "ui/design/BarGeometry.h"

namespace MovingStripes {

void paint(QPainter& painter, const QRectF& area, double seconds)
{
    QPainterPath stripes;
    for (const QPolygonF& stripe : BarGeometry::stripes(area.width(), area.height(), seconds))
        stripes.addPolygon(stripe.translated(area.topLeft()));
    painter.fillPath(stripes, QColor(255, 255, 255, 56));
}

} // namespace MovingStripes
