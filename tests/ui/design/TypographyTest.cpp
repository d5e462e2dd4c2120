#include <QFontInfo>
#include <QFontMetricsF>

#include <gtest/gtest.h>

#include "support/WidgetApplication.h"
#include "ui/design/ButtonSize.h"
#include "ui/design/Typography.h"

TEST(Typography, TheBundledFacesAreTheOnesDrawn)
{
    EXPECT_EQ(QFontInfo(Typography::hero()).family(), "Nunito");
    EXPECT_EQ(QFontInfo(Typography::body()).family(), "Nunito Sans");
    EXPECT_EQ(QFontInfo(Typography::hero()).weight(), QFont::ExtraBold);
    EXPECT_EQ(QFontInfo(Typography::lead()).weight(), QFont::Medium);
    EXPECT_EQ(QFontInfo(buttonFont(ButtonSize::large)).weight(), QFont::Bold);
}

TEST(Typography, SizesAreInWidgetUnitsHalvesIncluded)
{
    EXPECT_DOUBLE_EQ(Typography::sizeOf(Typography::lead()), 14.5);
    EXPECT_NEAR(QFontMetricsF(Typography::font(100, FontWeight::regular, FontDesign::rounded)).height(), 136, 12);
}
