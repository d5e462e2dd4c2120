#include "ui/mascot/MascotDrawing.h"

#include <algorithm>
#include <cmath>

#include <QHash>
#include <QLinearGradient>
#include <QPainter>

#include "ui/mascot/MascotShapes.h"
#include "ui/design/DynamicColor.h"
#include "ui/design/Shadow.h"
#include "ui/design/Shapes.h"

namespace MascotDrawing {

namespace {

const QColor ink = QColor::fromRgb(hexColor(faceInk));

qreal scaleOf(MascotMood mood)
{
    return mood == MascotMood::delighted ? 1.06 : 1.0;
}

qreal sparkleTurnOf(MascotMood mood)
{
    return mood == MascotMood::delighted ? 14 : 0;
}

qreal lerp(qreal from, qreal to, qreal t)
{
    return from + (to - from) * t;
}

void paintBody(QPainter& painter, const QRectF& frame)
{
    const qreal s = frame.width();
    QLinearGradient fill(frame.topLeft(), frame.bottomLeft());
    fill.setColorAt(0, QColor::fromRgb(hexColor(0xFF9C7E)));
    fill.setColorAt(1, QColor::fromRgb(hexColor(0xFF6A48)));
    painter.fillPath(Shapes::roundedRect(frame, s * 0.4), fill);

    const QRectF highlight(frame.left() + s * 0.14, frame.top() + s * 0.1, s * 0.42, s * 0.14);
    painter.save();
    painter.translate(highlight.center());
    painter.rotate(-12);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 77));
    painter.drawEllipse(QRectF(-highlight.width() / 2, -highlight.height() / 2, highlight.width(), highlight.height()));
    painter.restore();
}

void paintCheeks(QPainter& painter, const QRectF& frame)
{
    const qreal s = frame.width();
    const QPointF centre = frame.center() + QPointF(0, s * 0.12);
    const QSizeF cheek(s * 0.15, s * 0.09);
    const qreal apart = s * 0.4 / 2 + cheek.width() / 2;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xFF, 0x3D, 0x6E, 77));
    for (qreal side : {-1.0, 1.0})
        painter.drawEllipse(QRectF(centre + QPointF(side * apart - cheek.width() / 2, -cheek.height() / 2), cheek));
}

// A pair of eyes `width` wide each, 0.2 of the size apart, centred at `centre`.
template <typename DrawEye>
void forEachEye(const QPointF& centre, qreal s, qreal width, DrawEye drawEye)
{
    const qreal apart = s * 0.2 / 2 + width / 2;
    for (qreal side : {-1.0, 1.0})
        drawEye(centre + QPointF(side * apart, 0));
}

void paintOpenEyes(QPainter& painter, const QPointF& centre, qreal s, qreal blink)
{
    const QSizeF eye(s * 0.105, s * 0.15);
    const qreal squash = 1 - 0.9 * blink;
    forEachEye(centre, s, eye.width(), [&](QPointF middle) {
        painter.save();
        painter.translate(middle);
        painter.scale(1, squash);
        const QRectF shape(QPointF(-eye.width() / 2, -eye.height() / 2), eye);
        painter.fillPath(Shapes::capsule(shape), ink);
        const qreal glint = s * 0.04;
        painter.setBrush(Qt::white);
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(QRectF(shape.right() - glint - s * 0.012, shape.top() + s * 0.022, glint, glint));
        painter.restore();
    });
}

void paintHappyEyes(QPainter& painter, const QPointF& centre, qreal s)
{
    const QSizeF eye(s * 0.13, s * 0.07);
    painter.setPen(QPen(ink, s * 0.045, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    forEachEye(centre, s, eye.width(), [&](QPointF middle) {
        painter.drawPath(MascotShapes::happyEye(QRectF(middle - QPointF(eye.width() / 2, eye.height() / 2), eye)));
    });
}

void paintEyes(QPainter& painter, const QRectF& frame, MascotMood mood, const MascotPose& pose)
{
    const qreal s = frame.width();
    const QPointF centre = frame.center() + QPointF(pose.look * s, -s * 0.04);
    if (mood == MascotMood::delighted)
        paintHappyEyes(painter, centre, s);
    else
        paintOpenEyes(painter, centre, s, pose.blink);
}

void paintMouth(QPainter& painter, const QRectF& frame, MascotMood mood)
{
    const qreal s = frame.width();
    const QPointF centre = frame.center() + QPointF(0, s * 0.17);
    auto box = [&](qreal w, qreal h) { return QRectF(centre - QPointF(w / 2, h / 2), QSizeF(w, h)); };
    switch (mood) {
    case MascotMood::happy:
        painter.setPen(QPen(ink, s * 0.045, Qt::SolidLine, Qt::RoundCap));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(MascotShapes::smile(box(s * 0.2, s * 0.06)));
        break;
    case MascotMood::busy:
        painter.setPen(QPen(ink, s * 0.04));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(box(s * 0.08, s * 0.09));
        break;
    case MascotMood::delighted:
        painter.fillPath(MascotShapes::grin(box(s * 0.26, s * 0.1)), ink);
        break;
    }
}

// The sparkle's soft coral shadow, blurred once per pixel size; an image, as it outlives the
// application object.
QImage sparkleShadow(qreal side, qreal devicePixelRatio, qreal& margin)
{
    static QHash<int, QImage> cache;
    const qreal blur = side / 0.26 * 0.03;
    margin = std::ceil(Shadow::spread(blur));
    const int pixels = int(std::lround(side * devicePixelRatio));
    if (auto found = cache.constFind(pixels); found != cache.constEnd())
        return found.value();
    const qreal marginPixels = margin * devicePixelRatio;
    QImage mask(pixels + 2 * int(marginPixels), pixels + 2 * int(marginPixels), QImage::Format_Alpha8);
    mask.fill(0);
    {
        QPainter painter(&mask);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.fillPath(MascotShapes::sparkle(QRectF(int(marginPixels), int(marginPixels), pixels, pixels)), Qt::black);
    }
    QImage shadow = Shadow::tinted(Shadow::blurredAlpha(mask, blur * devicePixelRatio), QColor(0xFF, 0x6A, 0x48, 128));
    shadow.setDevicePixelRatio(devicePixelRatio);
    if (cache.size() > 16)
        cache.clear();
    cache.insert(pixels, shadow);
    return shadow;
}

void paintSparkle(QPainter& painter, const QRectF& frame, qreal turn)
{
    const qreal s = frame.width();
    const qreal side = s * 0.26;
    const QPointF centre = frame.center() + QPointF(s * 0.36, -s * 0.38);
    painter.save();
    painter.translate(centre);
    painter.rotate(turn);
    qreal margin = 0;
    const QImage shadow = sparkleShadow(side, painter.device()->devicePixelRatioF(), margin);
    painter.drawImage(QPointF(-side / 2 - margin, -side / 2 - margin), shadow);
    painter.fillPath(MascotShapes::sparkle(QRectF(-side / 2, -side / 2, side, side)), Qt::white);
    painter.restore();
}

} // namespace

void paint(QPainter& painter, const QRectF& frame, const MascotPose& pose)
{
    const qreal t = std::clamp<qreal>(pose.moodChange, 0, 1);
    const qreal scale = lerp(scaleOf(pose.from), scaleOf(pose.to), pose.moodChange);
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    painter.translate(frame.center());
    painter.scale(scale, scale);
    painter.translate(-frame.center());

    paintBody(painter, frame);
    paintCheeks(painter, frame);
    const qreal opacity = painter.opacity();
    // A face part that differs between the moods cross-fades.
    const bool eyesChange = (pose.from == MascotMood::delighted) != (pose.to == MascotMood::delighted);
    const bool mouthChanges = pose.from != pose.to;
    if (t < 1 && (eyesChange || mouthChanges)) {
        painter.setOpacity(opacity * (1 - t));
        if (eyesChange)
            paintEyes(painter, frame, pose.from, pose);
        if (mouthChanges)
            paintMouth(painter, frame, pose.from);
    }
    painter.setOpacity(opacity * (eyesChange ? t : 1));
    paintEyes(painter, frame, pose.to, pose);
    painter.setOpacity(opacity * (mouthChanges ? t : 1));
    paintMouth(painter, frame, pose.to);
    painter.setOpacity(opacity);
    paintSparkle(painter, frame, lerp(sparkleTurnOf(pose.from), sparkleTurnOf(pose.to), pose.moodChange));
    painter.restore();
}

} // namespace MascotDrawing
