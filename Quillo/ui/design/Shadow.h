#pragma once

#include <QColor>
#include <QImage>
#include <QMarginsF>
#include <QPointF>
#include <QRectF>

class QPainter;

// Drop shadows drawn from cached, pre-blurred images: blurring happens once per shape, blur and
// colour, never per paint. A rounded rectangle's shadow is cut in nine pieces whose middle ones
// stretch, so one small image serves every size of card or button.
namespace Shadow {

struct Style {
    QColor color;
    // The blur radius, as a design tool gives it: the shadow fades out over about this distance on
    // each side of the shape's edge (a Gaussian of standard deviation radius ÷ 2).
    qreal radius = 0;
    QPointF offset;
};

// How far beyond a shape its shadow reaches on each side (offset not included).
qreal spread(qreal radius);
QMarginsF extent(const Style& style);

// The shadow that a rounded rectangle with continuous corners (Shapes::roundedRect) at `shape`
// casts, in painter coordinates, at the painter's opacity.
void paintRoundedRect(QPainter& painter, const QRectF& shape, qreal cornerRadius, const Style& style);

// The coverage (alpha) of `image` blurred by `radius` pixels, as an alpha-only image of the same
// size, and an alpha image filled with a colour. The image needs a transparent margin of
// spread(radius) pixels for the blur to fade out in.
QImage blurredAlpha(const QImage& image, qreal radius);
QImage tinted(const QImage& alpha, const QColor& color);

} // namespace Shadow
