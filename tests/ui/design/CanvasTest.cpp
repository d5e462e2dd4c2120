#include <QImage>
#include <QScrollArea>

#include <gtest/gtest.h>

#include "support/Rendered.h"
#include "support/WidgetApplication.h"
#include "ui/design/ActionBarFade.h"
#include "ui/design/Motion.h"
#include "ui/design/StorageBar.h"
#include "ui/design/TextLabel.h"
#include "ui/design/Typography.h"

TEST(ActionBarFade, RisesToTheCanvasColourAtTheBottomOfWhatItCovers)
{
    QScrollArea area;
    area.resize(300, 300);
    area.show();
    auto* fade = new ActionBarFade(&area, 100);
    EXPECT_EQ(fade->geometry(), QRect(0, 200, 300, 100));
    area.resize(300, 400);
    EXPECT_EQ(fade->geometry(), QRect(0, 300, 300, 100));
    EXPECT_TRUE(fade->testAttribute(Qt::WA_TransparentForMouseEvents));
    const QImage image = rendered(*fade);
    EXPECT_GT(image.pixelColor(150, 99).alpha(), 250);
    EXPECT_LE(image.pixelColor(150, 0).alpha(), 3);
}

TEST(StorageBarChange, MovesCapsulesToTheirNewPlacesAndDropsEmptiedOnes)
{
    StorageBar bar({{"junk", "Junk", 500, Qt::red}, {"free", "Free", 500, Qt::green}}, 1000, 10);
    bar.resize(203, 10);
    bar.show();
    bar.setSegments({{"junk", "Junk", 0, Qt::red}, {"free", "Free", 500, Qt::green}}, 1000);
    EXPECT_EQ(bar.change(), 0);
    const QImage start = rendered(bar);
    EXPECT_EQ(start.pixelColor(20, 5), QColor(Qt::red)); // still where it was
    Motion::setAnimationsEnabled(false);
    bar.setSegments({{"junk", "Junk", 0, Qt::red}, {"free", "Free", 600, Qt::green}}, 1000);
    Motion::setAnimationsEnabled(true);
    EXPECT_EQ(bar.change(), 1);
    const QImage end = rendered(bar);
    EXPECT_EQ(end.pixelColor(20, 5), QColor(Qt::green)); // the free capsule now starts the bar
    EXPECT_EQ(end.pixelColor(150, 5).alpha(), 0);          // 600 of 1000 over 203
}

// A wrapped paragraph grows taller as it narrows; an elided path may shrink below its text.
TEST(TextLabel, WrapsToItsWidthAndElidesInTheMiddle)
{
    TextLabel paragraph("Apps keep caches and logs to feel fast, then forget about them. Clearing them is safe.",
                        Typography::lead(), Qt::black);
    paragraph.setWordWrap(2, 470);
    EXPECT_GT(paragraph.heightForWidth(200), paragraph.heightForWidth(470));
    EXPECT_LE(paragraph.sizeHint().width(), 470);
    TextLabel path("~/Library/Developer/Xcode/DerivedData/Project-abc/Build/Products", Typography::path(), Qt::black);
    path.setElideMode(Qt::ElideMiddle);
    EXPECT_LT(path.minimumSizeHint().width(), path.sizeHint().width());
}
