#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include "support/WidgetApplication.h"
#include "ui/design/CanvasBackground.h"
#include "ui/design/CardButton.h"
#include "ui/design/DropShadow.h"
#include "ui/design/Motion.h"
#include "ui/design/Palette.h"
#include "ui/design/SoftButton.h"

namespace {

class Buttons : public ::testing::Test {
protected:
    void SetUp() override
    {
        Motion::setAnimationsEnabled(false);
        window.resize(400, 300);
        new QVBoxLayout(&window);
    }
    void TearDown() override { Motion::setAnimationsEnabled(true); }

    template <typename Button>
    Button* add(Button* button)
    {
        window.layout()->addWidget(button);
        return button;
    }

    void show()
    {
        window.show();
        QCoreApplication::processEvents();
    }

    static void press(QWidget* widget, QPoint at)
    {
        QMouseEvent event(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(widget, &event);
    }

    CanvasBackground window;
};

} // namespace

TEST_F(Buttons, ADefaultButtonAnswersReturnOnlyWhileEnabled)
{
    auto* soft = add(new SoftButton("Scan"));
    soft->setDefault(true);
    show();
    window.activateWindow();
    QSignalSpy clicked(soft, &QAbstractButton::clicked);
    QTest::keyClick(&window, Qt::Key_Return);
    EXPECT_TRUE(clicked.wait(1000));
    soft->setEnabled(false);
    QTest::keyClick(&window, Qt::Key_Return);
    EXPECT_FALSE(clicked.wait(300));
    EXPECT_EQ(clicked.count(), 1);
}

TEST_F(Buttons, ACardLiftsWithAShadowAndIsHitOnlyInsideItsRoundedShape)
{
    auto* card = add(new CardButton(24));
    card->setFill(Palette::sunken);
    card->setFixedSize(240, 200);
    show();
    DropShadow* shadow = window.findChild<DropShadow*>();
    ASSERT_NE(shadow, nullptr);
    EXPECT_FALSE(shadow->isVisible()); // a plain fill rests without a shadow
    card->setHovered(true);
    EXPECT_EQ(card->lift(), 1);
    EXPECT_TRUE(shadow->isVisible());

    QSignalSpy pressed(card, &QAbstractButton::pressed);
    press(card, QPoint(1, 1)); // the rounded corner is not the card
    EXPECT_EQ(pressed.count(), 0);
    press(card, QPoint(120, 100));
    EXPECT_EQ(pressed.count(), 1);
    EXPECT_EQ(card->press(), 1);
    EXPECT_EQ(card->lift(), 0); // pressed cards sit down
}

TEST_F(Buttons, KeyboardFocusShowsARingAClickDoesNot)
{
    auto* soft = add(new SoftButton("Rescan"));
    auto* other = add(new SoftButton("Stop"));
    show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    other->setFocus(Qt::TabFocusReason); // the window gave the first button the focus
    const QPoint edge(soft->width() / 2, 1);
    const QColor before = soft->grab().toImage().pixelColor(edge);
    soft->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(soft->hasFocus());
    const QColor ringed = soft->grab().toImage().pixelColor(edge);
    EXPECT_LT(ringed.lightness(), before.lightness() - 40);
    press(other, other->rect().center());
    EXPECT_TRUE(soft->hasFocus()); // a click moves no focus
}
