#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include "support/WidgetApplication.h"
#include "ui/design/Shadow.h"
#include "ui/design/Shapes.h"

namespace {

QImage canvas(QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

int alphaAt(const QImage& image, int x, int y)
{
    return image.pixelColor(x, y).alpha();
}

} // namespace

TEST(Shadow, BlurKeepsTheCoverageAndSpreadsNoFartherThanItsReach)
{
    QImage mask(80, 80, QImage::Format_Alpha8);
    mask.fill(0);
    QPainter(&mask).fillRect(QRect(30, 30, 20, 20), Qt::black);
    const QImage blurred = Shadow::blurredAlpha(mask, 10); // reaches 15 beyond the square
    long before = 0;
    long after = 0;
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 80; ++x) {
            before += mask.constScanLine(y)[x];
            after += blurred.constScanLine(y)[x];
        }
    EXPECT_NEAR(double(after) / double(before), 1.0, 0.01);
    EXPECT_EQ(blurred.constScanLine(40)[13], 0);       // beyond the reach
    EXPECT_GT(blurred.constScanLine(40)[22], 0);       // inside it
    EXPECT_LT(blurred.constScanLine(40)[40], 255);     // the middle softened
    EXPECT_GT(blurred.constScanLine(40)[40], 200);
}

TEST(Shadow, AStretchedShadowMatchesOneBlurredAtItsFullSize)
{
    // A wide card: its shadow is drawn from a small template cut in nine. Drawn again from a
    // template as big as the card itself (a shape too short to stretch), the two must agree.
    const Shadow::Style style{QColor(0, 0, 0, 200), 14, {0, 5}};
    QImage stretched = canvas({400, 160});
    {
        QPainter painter(&stretched);
        Shadow::paintRoundedRect(painter, QRectF(40, 30, 320, 90), 22, style);
    }
    QImage reference = canvas({400, 160});
    QImage fullMask(QSize(320 + 2 * 21, 90 + 2 * 21), QImage::Format_Alpha8);
    fullMask.fill(0);
    {
        QPainter mask(&fullMask);
        mask.setRenderHint(QPainter::Antialiasing);
        mask.fillPath(Shapes::roundedRect(QRectF(21, 21, 320, 90), 22), Qt::black);
    }
    {
        QPainter painter(&reference);
        painter.drawImage(QPointF(40 - 21, 30 - 21 + 5), Shadow::tinted(Shadow::blurredAlpha(fullMask, 14), style.color));
    }
    int worst = 0;
    for (int y = 0; y < 160; ++y)
        for (int x = 0; x < 400; ++x)
            worst = std::max(worst, std::abs(alphaAt(stretched, x, y) - alphaAt(reference, x, y)));
    EXPECT_LE(worst, 3);
    EXPECT_GT(alphaAt(stretched, 200, 125), 0); // below the card, where the shadow falls
    EXPECT_EQ(alphaAt(stretched, 200, 4), 0);   // well above it, nothing
}
