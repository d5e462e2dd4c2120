#pragma once

#include <QRectF>

class QPainter;

// Diagonal white stripes over a bar's fill, moving right one period a second; the caller clips
// to the fill and redraws on a FrameClock.
namespace MovingStripes {

void paint(QPainter& painter, const QRectF& area, double seconds);

} // namespace MovingStripes
