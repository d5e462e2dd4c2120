#pragma once

#include <QColor>
#include <QPixmap>
#include <QRectF>
#include <QString>

class QPainter;

// Symbol images, named by the system symbol names the screens use ("trash.fill", "checkmark"),
// drawn from vendored SVG icons and tinted to the colour asked.
namespace Symbols {

// The resource drawn for `name`, or an empty string for a name without one.
QString resourcePath(const QString& name);

// The side of the square a symbol takes when it stands beside text of `fontSize`: icons leave
// a margin inside their square, so the glyph itself comes out about as tall as the text.
qreal sideForFontSize(qreal fontSize);

// `name` tinted `color`, `side` units square at the given device pixel ratio; cached, so
// cheap to ask for every paint. A null pixmap for an unknown name.
QPixmap pixmap(const QString& name, qreal side, const QColor& color, qreal devicePixelRatio);

// Draws `name` centred in `rect` (square, the shorter side of `rect`) in `color`.
void paint(QPainter& painter, const QRectF& rect, const QString& name, const QColor& color);

} // namespace Symbols
