#pragma once

#include <QPainterPath>
#include <QRectF>

// The mascot's shapes, each drawn into its bounding rectangle.
namespace MascotShapes {

// An open arc sagging down from the top corners: a smile (stroked).
QPainterPath smile(const QRectF& rect);
// An open arc bulging up from the bottom corners: a closed, smiling eye (stroked).
QPainterPath happyEye(const QRectF& rect);
// A flat-topped open mouth (filled).
QPainterPath grin(const QRectF& rect);
// A four-pointed star whose sides curve in towards the centre (filled); the category screens'
// decoration uses it too.
QPainterPath sparkle(const QRectF& rect);

} // namespace MascotShapes
