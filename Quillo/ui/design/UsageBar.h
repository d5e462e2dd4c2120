#pragma once

#include "ui/design/FillBar.h"

// A static usage bar (disk, memory): the fill shows the fraction used, never shorter than the bar
// is high. Changes settle with a critically damped spring.
class UsageBar : public FillBar {
    Q_OBJECT

public:
    UsageBar(qreal fraction, DynamicColor color, qreal height, QWidget* parent = nullptr);

    void setFraction(qreal fraction);
};
