#include "ui/tray/PanelPlacement.h"

#include <algorithm>

namespace PanelPlacement {

namespace {

enum class Edge { top, bottom, left, right };

// The screen edge nearest the icon, which is the edge its panel runs along.
Edge nearestEdge(const QRect& icon, const QRect& screen)
{
    const QPoint c = icon.center();
    const int top = c.y() - screen.top();
    const int bottom = screen.bottom() - c.y();
    const int left = c.x() - screen.left();
    const int right = screen.right() - c.x();
    const int nearest = std::min({top, bottom, left, right});
    if (nearest == top)
        return Edge::top;
    if (nearest == bottom)
        return Edge::bottom;
    return nearest == left ? Edge::left : Edge::right;
}

int clampedInto(int value, int low, int high)
{
    return high < low ? low : std::clamp(value, low, high);
}

} // namespace

QPoint beside(const QRect& icon, const QSize& size, const QRect& screen, const QRect& available)
{
    QPoint at;
    switch (nearestEdge(icon, screen)) {
    case Edge::top:
        at = {icon.center().x() - size.width() / 2, icon.bottom() + 1 + gap};
        break;
    case Edge::bottom:
        at = {icon.center().x() - size.width() / 2, icon.top() - gap - size.height()};
        break;
    case Edge::left:
        at = {icon.right() + 1 + gap, icon.center().y() - size.height() / 2};
        break;
    case Edge::right:
        at = {icon.left() - gap - size.width(), icon.center().y() - size.height() / 2};
        break;
    }
    at.setX(clampedInto(at.x(), available.left() + gap, available.right() + 1 - gap - size.width()));
    at.setY(clampedInto(at.y(), available.top() + gap, available.bottom() + 1 - gap - size.height()));
    return at;
}

std::optional<QRect> iconPlace(const QRect& reported, const std::optional<QPoint>& pointer, const QRect& screen)
{
    if (reported.isValid() && !reported.isEmpty())
        return reported;
    if (!pointer || !screen.contains(*pointer))
        return std::nullopt;
    const QRect inner = screen.adjusted(panelBand, panelBand, -panelBand, -panelBand);
    if (inner.contains(*pointer))
        return std::nullopt;
    return QRect(*pointer - QPoint(1, 1), QSize(2, 2));
}

} // namespace PanelPlacement
