#include <QFontInfo>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include "support/WidgetApplication.h"
#include "records/Module.h"
#include "ui/design/Symbols.h"
#include "ui/design/Typography.h"

namespace {

// Every symbol a screen names, the module symbols included.
const char* const screenSymbols[] = {
    "checkmark", "minus", "folder.fill", "magnifyingglass", "xmark", "arrow.right", "arrow.right.circle.fill",
    "lock.fill", "exclamationmark.triangle.fill", "exclamationmark.circle.fill", "checkmark.circle.fill",
    "gearshape.fill", "memorychip.fill", "internaldrive.fill", "trash.fill", "sparkles"};

int pixelsOf(const QImage& image, QColor color)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (pixel.alpha() == 255 && pixel.rgb() == color.rgb())
                ++count;
        }
    return count;
}

void expectDrawn(const QString& name)
{
    const QPixmap pixmap = Symbols::pixmap(name, 24, QColor(0x1F, 0xB3, 0xCC), 2);
    ASSERT_FALSE(pixmap.isNull()) << qPrintable(name);
    EXPECT_EQ(pixmap.size(), QSize(48, 48));
    // Solid in the colour asked, and nothing of any other colour.
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_GT(pixelsOf(image, QColor(0x1F, 0xB3, 0xCC)), 48) << qPrintable(name);
}

} // namespace

TEST(Symbols, EveryNameTheScreensUseIsDrawnInTheColourAsked)
{
    for (Module module : Module::allCases())
        expectDrawn(QString::fromUtf8(module.symbol().data(), qsizetype(module.symbol().size())));
    for (const char* name : screenSymbols)
        expectDrawn(QString::fromLatin1(name));
}

TEST(Symbols, AnUnknownNameDrawsNothing)
{
    EXPECT_TRUE(Symbols::resourcePath("not.a.symbol").isEmpty());
    EXPECT_TRUE(Symbols::pixmap("not.a.symbol", 24, Qt::black, 1).isNull());
    QImage image(10, 10, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    Symbols::paint(painter, QRectF(0, 0, 10, 10), "not.a.symbol", Qt::black);
    EXPECT_EQ(image.pixelColor(5, 5).alpha(), 0);
}

TEST(Typography, TheBundledFacesAreTheOnesDrawn)
{
    EXPECT_EQ(QFontInfo(Typography::hero()).family(), "Nunito");
    EXPECT_EQ(QFontInfo(Typography::body()).family(), "Nunito Sans");
}
