#include <cmath>

#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

#include "ui/mascot/Mascot.h"
#include "support/WidgetApplication.h"
#include "ui/design/FrameClock.h"

namespace {

const QColor faceInk(0x3B, 0x2F, 0x2A);

QImage drawn(const MascotPose& pose, qreal size = 200)
{
    const int side = static_cast<int>(size);
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    MascotDrawing::paint(painter, QRectF(0, 0, size, size), pose);
    return image;
}

bool isFaceInk(QColor pixel)
{
    return std::abs(pixel.red() - faceInk.red()) < 12 && std::abs(pixel.green() - faceInk.green()) < 12 &&
           std::abs(pixel.blue() - faceInk.blue()) < 12;
}

// Inside the left eye, clear of its glint: centre x at 0.5 - 0.1525, y at 0.5 - 0.04, of a 200 square.
const QPoint leftEye(67, 92);
const QPoint leftEyeUpper(65, 80);

MascotPose resting(MascotMood mood)
{
    return {mood, mood, 1, 0, 0};
}

} // namespace

TEST(MascotDrawing, OpenEyesAreInkCapsulesThatABlinkSquashes)
{
    const QImage open = drawn(resting(MascotMood::happy));
    EXPECT_TRUE(isFaceInk(open.pixelColor(leftEye)));
    EXPECT_TRUE(isFaceInk(open.pixelColor(leftEyeUpper)));
    MascotPose blinking = resting(MascotMood::busy);
    blinking.blink = 1;
    const QImage shut = drawn(blinking);
    EXPECT_TRUE(isFaceInk(shut.pixelColor(leftEye)));        // a thin line across the middle
    EXPECT_FALSE(isFaceInk(shut.pixelColor(leftEyeUpper)));  // squashed to a tenth of its height
}

TEST(MascotDrawing, DelightedEyesAreArcsThatDoNotBlink)
{
    MascotPose delighted = resting(MascotMood::delighted);
    const QImage open = drawn(delighted);
    delighted.blink = 1;
    EXPECT_EQ(open, drawn(delighted));
    // The arc's middle lies above the eye's centre; the centre shows the body.
    const QPoint arcCentre(200 / 2 - 33, 92);
    EXPECT_FALSE(isFaceInk(open.pixelColor(arcCentre)));
    EXPECT_TRUE(isFaceInk(open.pixelColor(arcCentre.x(), arcCentre.y() - 7)));
}

TEST(MascotDrawing, ABusyMascotsEyesGlanceSideways)
{
    MascotPose busy = resting(MascotMood::busy);
    busy.look = 0.035;
    const QImage right = drawn(busy);
    busy.look = -0.035;
    EXPECT_NE(right, drawn(busy));
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

TEST(Mascot, BlinksWithinFiveAndAHalfSeconds)
{
    Mascot mascot(Mascot::Mood::happy, 48);
    mascot.show();
    QElapsedTimer clock;
    clock.start();
    qint64 closedAt = -1;
    while (clock.elapsed() < 6000 && closedAt < 0) {
        if (mascot.isBlinking())
            closedAt = clock.elapsed();
        QTest::qWait(5);
    }
    ASSERT_GE(closedAt, 2400);
    QTest::qWait(200);
    EXPECT_FALSE(mascot.isBlinking()); // the eyes open again after a tenth of a second
}
