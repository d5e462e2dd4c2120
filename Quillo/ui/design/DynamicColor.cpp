#include "ui/design/DynamicColor.h"

#include <algorithm>

QColor blend(const QColor& from, const QColor& to, qreal t)
{
    t = std::clamp<qreal>(t, 0, 1);
    auto mix = [t](float a, float b) { return a + (b - a) * float(t); };
    return QColor::fromRgbF(mix(from.redF(), to.redF()), mix(from.greenF(), to.greenF()), mix(from.blueF(), to.blueF()),
                            mix(from.alphaF(), to.alphaF()));
}
