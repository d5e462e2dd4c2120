#pragma once

#include <QRectF>

class QPainter;

enum class MascotMood { happy, busy, delighted };

// Everything that moves on the mascot, at one instant.
struct MascotPose {
    MascotMood from = MascotMood::happy;
    MascotMood to = MascotMood::happy;
    // 0 → 1 from `from` to `to`; a spring may carry it past 1 and back, which is the bounce.
    qreal moodChange = 1;
    // 0 open → 1 closed: capsule eyes squash to a tenth of their height.
    qreal blink = 0;
    // The eyes' sideways glance, in units of the mascot's size.
    qreal look = 0;
};

// Draws the mascot: a coral rounded square with cheeks, eyes, mouth and a sparkle at its top right,
// its frame the square `frame`. Parts may reach past the frame (the delighted bounce, the sparkle).
namespace MascotDrawing {

void paint(QPainter& painter, const QRectF& frame, const MascotPose& pose);

// The colour of the face's strokes, the same in both appearances.
inline constexpr unsigned faceInk = 0x3B2F2A;

} // namespace MascotDrawing
