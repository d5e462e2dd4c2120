#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

#include "ui/mascot/Mascot.h"
#include "support/WidgetApplication.h"
#include "ui/design/FrameClock.h"

namespace {

QImage drawn(MascotMood mood, qreal blink = 0, qreal look = 0)
{
    QImage image(200, 200, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    MascotDrawing::paint(painter, QRectF(0, 0, 200, 200), {mood, mood, 1, blink, look});
    return image;
}

} // namespace

// Open eyes blink and glance; the delighted mood's arcs do not blink.
TEST(MascotDrawing, ABlinkClosesOpenEyesButNotDelightedOnesAndAGlanceMovesThem)
{
    EXPECT_NE(drawn(MascotMood::happy), drawn(MascotMood::happy, 1));
    EXPECT_EQ(drawn(MascotMood::delighted), drawn(MascotMood::delighted, 1));
    EXPECT_NE(drawn(MascotMood::busy, 0, 0.035), drawn(MascotMood::busy, 0, -0.035));
}

TEST(Mascot, RunsItsBlinkLoopOnScreenAndItsGlanceOnlyWhileBusy)
{
    QWidget window;
    auto* mascot = new Mascot(Mascot::Mood::happy, 48, &window);
    EXPECT_FALSE(mascot->isBlinkLoopRunning());
    window.show();
    EXPECT_TRUE(mascot->isBlinkLoopRunning());
    EXPECT_FALSE(mascot->glanceClock().isTicking());
    mascot->setMood(Mascot::Mood::busy);
    EXPECT_TRUE(mascot->glanceClock().isTicking());
    window.hide();
    EXPECT_FALSE(mascot->isBlinkLoopRunning());
    EXPECT_FALSE(mascot->glanceClock().isTicking());
}
