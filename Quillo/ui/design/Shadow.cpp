#include "ui/design/Shadow.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>

#include "ui/design/Shapes.h"

namespace Shadow {

namespace {

// A Gaussian kernel of standard deviation `sigma`, cut at three deviations, summing to 1.
std::vector<float> gaussianKernel(qreal sigma)
{
    const int half = std::max(1, int(std::ceil(sigma * 3)));
    std::vector<float> kernel(2 * half + 1);
    float sum = 0;
    for (int i = -half; i <= half; ++i)
        sum += kernel[i + half] = float(std::exp(-(i * i) / (2 * sigma * sigma)));
    for (float& weight : kernel)
        weight /= sum;
    return kernel;
}

// One pass of the separable blur, along rows (`step` 1) or columns (`step` the row length).
void blurPass(const std::vector<float>& in, std::vector<float>& out, int length, int lines, int step, int lineStep,
              const std::vector<float>& kernel)
{
    const int half = int(kernel.size() / 2);
    for (int line = 0; line < lines; ++line) {
        const int base = line * lineStep;
        for (int i = 0; i < length; ++i) {
            float sum = 0;
            const int from = std::max(0, i - half);
            const int to = std::min(length - 1, i + half);
            for (int j = from; j <= to; ++j)
                sum += in[base + j * step] * kernel[j - i + half];
            out[base + i * step] = sum;
        }
    }
}

struct Axis {
    qreal sourceInner; // the stretchable middle of the template, zero when the axis is not stretched
    qreal margin;      // the fixed pieces at both ends
};

// Draws `source` into `target` in up to nine pieces: corners as they are, edges and middle
// stretched along the axes whose `sourceInner` is not zero.
void drawNinePatch(QPainter& painter, const QRectF& target, const QPixmap& source, Axis x, Axis y)
{
    const qreal ratio = source.devicePixelRatio();
    auto cuts = [&](const Axis& axis, qreal targetStart, qreal targetLength, qreal sourceLength) {
        struct Cut {
            qreal targetFrom, targetLength, sourceFrom, sourceLength;
        };
        std::vector<Cut> result;
        if (axis.sourceInner <= 0) {
            result.push_back({targetStart, targetLength, 0, sourceLength});
            return result;
        }
        const qreal m = axis.margin;
        result.push_back({targetStart, m / ratio, 0, m});
        result.push_back({targetStart + m / ratio, targetLength - 2 * m / ratio, m, axis.sourceInner});
        result.push_back({targetStart + targetLength - m / ratio, m / ratio, sourceLength - m, m});
        return result;
    };
    for (const auto& column : cuts(x, target.left(), target.width(), source.width()))
        for (const auto& row : cuts(y, target.top(), target.height(), source.height()))
            painter.drawPixmap(QRectF(column.targetFrom, row.targetFrom, column.targetLength, row.targetLength), source,
                               QRectF(column.sourceFrom, row.sourceFrom, column.sourceLength, row.sourceLength));
}

// The pre-blurred shadow of a rounded rectangle `size` device pixels big, cached.
QPixmap shadowImage(QSize size, qreal cornerPixels, qreal blurPixels, const QColor& color)
{
    const int margin = int(std::ceil(spread(blurPixels)));
    const QString key = QStringLiteral("quillo.shadow/%1x%2/%3/%4/%5")
                            .arg(size.width())
                            .arg(size.height())
                            .arg(std::lround(cornerPixels * 4))
                            .arg(std::lround(blurPixels * 4))
                            .arg(color.rgba(), 8, 16);
    QPixmap cached;
    if (QPixmapCache::find(key, &cached))
        return cached;
    QImage mask(size + QSize(2 * margin, 2 * margin), QImage::Format_Alpha8);
    mask.fill(0);
    {
        QPainter painter(&mask);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.fillPath(Shapes::roundedRect(QRectF(QPointF(margin, margin), QSizeF(size)), cornerPixels), Qt::black);
    }
    cached = QPixmap::fromImage(tinted(blurredAlpha(mask, blurPixels), color));
    QPixmapCache::insert(key, cached);
    return cached;
}

} // namespace

qreal spread(qreal radius)
{
    return radius * 1.5;
}

QMarginsF extent(const Style& style)
{
    const qreal reach = spread(style.radius);
    return {reach - style.offset.x(), reach - style.offset.y(), reach + style.offset.x(), reach + style.offset.y()};
}

QImage blurredAlpha(const QImage& image, qreal radius)
{
    // Qt's own blur effect is an exponential approximation whose reach stops growing past a few
    // pixels; shadows and the canvas wash need a true Gaussian of a known width.
    const QImage alpha = image.convertToFormat(QImage::Format_Alpha8);
    const int width = alpha.width();
    const int height = alpha.height();
    std::vector<float> values(std::size_t(width) * height);
    for (int y = 0; y < height; ++y) {
        const uchar* line = alpha.constScanLine(y);
        std::copy(line, line + width, values.begin() + std::ptrdiff_t(y) * width);
    }
    if (radius > 0) {
        const std::vector<float> kernel = gaussianKernel(radius / 2);
        std::vector<float> pass(values.size());
        blurPass(values, pass, width, height, 1, width, kernel);
        blurPass(pass, values, height, width, width, 1, kernel);
    }
    QImage result(width, height, QImage::Format_Alpha8);
    for (int y = 0; y < height; ++y) {
        uchar* line = result.scanLine(y);
        for (int x = 0; x < width; ++x)
            line[x] = uchar(std::clamp(std::lround(values[std::size_t(y) * width + x]), 0L, 255L));
    }
    return result;
}

QImage tinted(const QImage& alpha, const QColor& color)
{
    QImage result(alpha.size(), QImage::Format_ARGB32_Premultiplied);
    result.fill(Qt::transparent);
    QPainter painter(&result);
    painter.drawImage(0, 0, alpha);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(result.rect(), color);
    return result;
}

void paintRoundedRect(QPainter& painter, const QRectF& shape, qreal cornerRadius, const Style& style)
{
    if (shape.isEmpty() || style.color.alpha() == 0)
        return;
    const qreal ratio = painter.device()->devicePixelRatioF();
    const qreal cornerPixels = std::min(cornerRadius, std::min(shape.width(), shape.height()) / 2) * ratio;
    const qreal blurPixels = style.radius * ratio;
    const int margin = int(std::ceil(spread(blurPixels)));
    // A template just big enough that its middle row and column are clear of corners and blur;
    // an axis shorter than that is drawn at its own size.
    const int stretchable = 2 * (int(std::ceil(cornerPixels * 1.53)) + margin) + 1;
    const QSize shapePixels(std::lround(shape.width() * ratio), std::lround(shape.height() * ratio));
    const QSize templateSize(std::min(shapePixels.width(), stretchable), std::min(shapePixels.height(), stretchable));
    if (templateSize.isEmpty())
        return;
    QPixmap image = shadowImage(templateSize, cornerPixels, blurPixels, style.color);
    image.setDevicePixelRatio(ratio);

    const QRectF target = shape.translated(style.offset).adjusted(-margin / ratio, -margin / ratio, margin / ratio,
                                                                  margin / ratio);
    const qreal patchMargin = (image.width() - 1) / 2.0;
    const Axis x{templateSize.width() < shapePixels.width() ? 1.0 : 0.0, patchMargin};
    const Axis y{templateSize.height() < shapePixels.height() ? 1.0 : 0.0, (image.height() - 1) / 2.0};
    drawNinePatch(painter, target, image, x, y);
}

} // namespace Shadow
