// Widgets rendered off screen, checked at pixels where a fault would show.
#include <QImage>

#include <gtest/gtest.h>

#include "support/Rendered.h"
#include "support/WidgetApplication.h"
#include "ui/design/Appearance.h"
#include "ui/design/Checkbox.h"
#include "ui/design/Motion.h"
#include "ui/design/Palette.h"
#include "ui/design/PillButton.h"

namespace {

// Channel distance, alpha included.
int distance(QColor a, QColor b)
{
    return std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()), std::abs(a.blue() - b.blue()),
                     std::abs(a.alpha() - b.alpha())});
}

class WidgetRender : public ::testing::Test {
protected:
    void SetUp() override { Motion::setAnimationsEnabled(false); }
    void TearDown() override
    {
        Appearance::instance().apply(false);
        Motion::setAnimationsEnabled(true);
    }
};

const QColor teal(0x2F, 0xB5, 0x9A);

} // namespace

TEST_F(WidgetRender, AMixedCheckboxShowsTheDashOnItsColourAtReducedScale)
{
    Checkbox box(CheckState::mixed, teal);
    const QImage image = rendered(box);
    EXPECT_LT(distance(image.pixelColor(10, 4), teal), 8);                  // fill above the dash
    const QColor dash = image.pixelColor(10, 10);
    EXPECT_GT(std::min({dash.red(), dash.green(), dash.blue()}), 150);       // the white dash
    EXPECT_LT(image.pixelColor(0, 10).alpha(), 160);                          // scaled in from the edge
    EXPECT_EQ(box.onAmount(), 0);
}

TEST_F(WidgetRender, ADisabledPillIsFadedCastsNoShadowAndNeverLifts)
{
    QWidget window;
    window.resize(300, 120);
    auto* pill = new PillButton("Clean", Palette::brand);
    pill->setParent(&window);
    pill->move(40, 40);
    pill->setEnabled(false);
    window.show();
    QCoreApplication::processEvents();
    pill->setHovered(true);
    EXPECT_EQ(pill->lift(), 0);
    EXPECT_LT(rendered(*pill).pixelColor(pill->width() / 2, pill->height() - 5).alpha(), 160); // faded
    for (QWidget* child : window.findChildren<QWidget*>()) {
        if (child != pill) {
            EXPECT_FALSE(child->isVisible()) << "a shadow is showing";
        }
    }

    pill->setEnabled(true);
    pill->setHovered(true);
    EXPECT_EQ(pill->lift(), 1);
    int shadows = 0;
    for (QWidget* child : window.findChildren<QWidget*>())
        if (child != pill && child->isVisible() && child->geometry().contains(pill->geometry().center()))
            ++shadows;
    EXPECT_EQ(shadows, 1);
}
