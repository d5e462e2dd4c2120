#include "ui/design/UsageBar.h"

UsageBar::UsageBar(qreal fraction, DynamicColor color, qreal height, QWidget* parent)
    : FillBar(fraction, color, height, parent)
{
}

void UsageBar::setFraction(qreal fraction)
{
    FillBar::setFraction(fraction, Timing::spring(0.5, 1.0));
}
