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

TEST(Mascot, BouncesIntoDelightOnASpring)
{
    Mascot mascot(Mascot::Mood::happy, 72);
    mascot.show();
    mascot.setMood(Mascot::Mood::delighted);
    qreal highest = 0;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 1500 && (mascot.moodChange() != 1 || highest == 0)) {
        highest = std::max(highest, mascot.moodChange());
        QTest::qWait(5);
    }
    EXPECT_GT(highest, 1.02); // past 1.06 scale, then back
    EXPECT_EQ(mascot.moodChange(), 1);
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
