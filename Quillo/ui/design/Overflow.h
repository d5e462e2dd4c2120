#pragma once

#include <QMargins>

class QBoxLayout;
class QGridLayout;
class QWidget;

// Lays out a widget that draws past its frame (the mascot's bounce and sparkle): the layout
// gives it room for its frame only, and the widget is then grown by `margins` on every side, so
// its drawing is not clipped and its neighbours keep their places. Use only for widgets that let
// the pointer through, since the margins lie over the neighbours.
namespace Overflow {

void addWidget(QBoxLayout* layout, QWidget* widget, const QMargins& margins, Qt::Alignment alignment = {});
void addWidget(QGridLayout* layout, QWidget* widget, int row, int column, const QMargins& margins,
               Qt::Alignment alignment = {});

} // namespace Overflow
