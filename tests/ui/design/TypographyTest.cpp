#include <QFontInfo>

#include <gtest/gtest.h>

#include "support/WidgetApplication.h"
#include "ui/design/Typography.h"

TEST(Typography, TheBundledFacesAreTheOnesDrawn)
{
    EXPECT_EQ(QFontInfo(Typography::hero()).family(), "Nunito");
    EXPECT_EQ(QFontInfo(Typography::body()).family(), "Nunito Sans");
}
