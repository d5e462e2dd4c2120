#pragma once

#include <QFont>

enum class ButtonSize { small, regular, large };

// Rounded bold label font, horizontal padding and fixed height of each button size.
QFont buttonFont(ButtonSize size);
qreal buttonPadding(ButtonSize size);
qreal buttonHeight(ButtonSize size);
