// Animations run only while seen, end at rest, and leave no clock running.
#include <QElapsedTimer>
#include <QHideEvent>
#include <QShowEvent>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include "support/WidgetApplication.h"
#include "ui/design/FrameClock.h"
#include "ui/design/Motion.h"
#include "ui/design/ProgressCapsule.h"
#include "ui/design/MonospacedDigits.h"
#include "ui/design/Typography.h"

namespace {

struct Driven {
    QWidget widget;
    std::vector<qreal> steps;
    Motion* motion = new Motion(&widget, [this](qreal v) { steps.push_back(v); });
};

bool waitUntilStopped(const Motion& motion, int timeoutMs = 3000)
{
    QElapsedTimer clock;
    clock.start();
    while (motion.state() == QAbstractAnimation::Running && clock.elapsed() < timeoutMs)
        QTest::qWait(10);
    return motion.state() == QAbstractAnimation::Stopped;
}

} // namespace

TEST(Motion, LandsAtOnceWhileItsWidgetIsHiddenOrAnimationsAreOff)
{
    Driven driven;
    driven.motion->animateTo(1, Timing::spring(0.3, 0.7));
    EXPECT_EQ(driven.motion->value(), 1);
    EXPECT_EQ(driven.motion->state(), QAbstractAnimation::Stopped);
    EXPECT_EQ(driven.steps, std::vector<qreal>{1});

    driven.widget.show();
    Motion::setAnimationsEnabled(false);
    driven.motion->animateTo(0.5, Timing::easeInOut(0.5));
    Motion::setAnimationsEnabled(true);
    EXPECT_EQ(driven.motion->value(), 0.5);
    EXPECT_EQ(driven.motion->state(), QAbstractAnimation::Stopped);
}

TEST(Motion, OnScreenASpringBouncesAndComesToRest)
{
    Driven spring;
    spring.widget.show();
    spring.motion->animateTo(1, Timing::spring(0.25, 0.5));
    EXPECT_EQ(spring.motion->state(), QAbstractAnimation::Running);
    ASSERT_TRUE(waitUntilStopped(*spring.motion));
    EXPECT_EQ(spring.motion->value(), 1);
    EXPECT_GT(spring.steps.size(), 3u);
    EXPECT_GT(*std::max_element(spring.steps.begin(), spring.steps.end()), 1.0); // the bounce
}

TEST(Motion, HidingMidFlightFinishesTheChange)
{
    Driven driven;
    driven.widget.show();
    driven.motion->animateTo(1, Timing::spring(0.5, 1.0));
    QTest::qWait(30);
    driven.widget.hide();
    EXPECT_EQ(driven.motion->state(), QAbstractAnimation::Stopped);
    QCoreApplication::processEvents();
    EXPECT_EQ(driven.motion->value(), 1);
    EXPECT_EQ(driven.steps.back(), 1);
}

TEST(Motion, AWidgetDestroyedMidFlightIsNotCalledBack)
{
    bool called = false;
    {
        QWidget window;
        auto* motion = new Motion(&window, [&called](qreal) { called = true; });
        window.show();
        motion->animateTo(1, Timing::spring(0.5, 1.0));
        called = false;
    }
    QCoreApplication::processEvents();
    EXPECT_FALSE(called);
}

TEST(FrameClock, StripesTickOnlyWhileTheirBarIsVisible)
{
    QWidget window;
    auto* bar = new ProgressCapsule(0.3, Qt::red, 12, &window);
    EXPECT_FALSE(bar->clock().isTicking());
    window.show();
    EXPECT_TRUE(bar->clock().isTicking());
    window.hide();
    EXPECT_FALSE(bar->clock().isTicking());
    window.show();
    bar->hide();
    EXPECT_FALSE(bar->clock().isTicking());
    bar->show();
    // Minimising hides a window's widgets without making them invisible.
    QHideEvent minimised;
    QCoreApplication::sendEvent(bar, &minimised);
    EXPECT_TRUE(bar->isVisible());
    EXPECT_FALSE(bar->clock().isTicking());
    QShowEvent restored;
    QCoreApplication::sendEvent(bar, &restored);
    EXPECT_TRUE(bar->clock().isTicking());
}

// Figures that roll keep their width: every digit is as wide as every other.
TEST(MonospacedDigits, EveryDigitTakesTheSameWidth)
{
    const QFont value = Typography::cardValue();
    EXPECT_DOUBLE_EQ(MonospacedDigits("111", value).width(), MonospacedDigits("888", value).width());
    EXPECT_LT(MonospacedDigits("1.1", value).width(), MonospacedDigits("111", value).width());
}
