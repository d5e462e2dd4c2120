#include <cmath>

#include <gtest/gtest.h>

#include "ui/design/BarGeometry.h"
#include "ui/design/Palette.h"

using BarGeometry::fillWidth;
using BarGeometry::storageFrames;

TEST(FillWidth, NeverShorterThanTheBarIsHighAndNeverPastTheTrack)
{
    EXPECT_DOUBLE_EQ(fillWidth(300, 12, 0.0), 12);      // a dot as wide as the bar is high
    EXPECT_DOUBLE_EQ(fillWidth(300, 8, 0.001), 8);      // a usage bar of height 8 at 0.1 %
    EXPECT_DOUBLE_EQ(fillWidth(300, 12, -0.4), 12);
    EXPECT_DOUBLE_EQ(fillWidth(300, 12, 0.5), 150);
    EXPECT_DOUBLE_EQ(fillWidth(300, 12, 1.5), 300);     // held to the track
    EXPECT_DOUBLE_EQ(fillWidth(300, 12, std::nullopt), 300); // no fraction: the whole track
}

TEST(StorageFrames, DropsEmptySegmentsAndLetsTheFlexibleOneTakeEverything)
{
    const auto frames = storageFrames({{"junk", "Junk", 0, Palette::brand}, {"other", "Used", 500, Palette::ink, true}},
                                      1000, 400, 16);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].id, "other");
    EXPECT_DOUBLE_EQ(frames[0].x, 0);
    EXPECT_DOUBLE_EQ(frames[0].width, 400); // full width, no spacing left for a dropped neighbour
}

TEST(StorageFrames, SharesTheWidthLeftAfterSpacingByBytes)
{
    const auto frames = storageFrames({{"a", "A", 250, Palette::brand},
                                       {"gone", "Gone", -5, Palette::brand},
                                       {"b", "B", 500, Palette::success},
                                       {"rest", "Rest", 1, Palette::ink, true}},
                                      1000, 406, 16);
    ASSERT_EQ(frames.size(), 3u);
    // 406 wide less two gaps of 3 leaves 400 to share.
    EXPECT_DOUBLE_EQ(frames[0].width, 100);
    EXPECT_DOUBLE_EQ(frames[1].x, 103);
    EXPECT_DOUBLE_EQ(frames[1].width, 200);
    EXPECT_DOUBLE_EQ(frames[2].x, 306);
    EXPECT_DOUBLE_EQ(frames[2].width, 100); // what the two proportional ones leave
}

TEST(StorageFrames, SmallSegmentsKeepTheBarsHeightAndAFullRowLeavesTheFlexibleOneNothing)
{
    const auto frames = storageFrames({{"tiny", "Tiny", 1, Palette::brand},
                                       {"big", "Big", 999, Palette::success},
                                       {"rest", "Rest", 10, Palette::ink, true}},
                                      1000, 206, 16);
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_DOUBLE_EQ(frames[0].width, 16);
    EXPECT_NEAR(frames[1].width, 199.8, 1e-9);
    EXPECT_DOUBLE_EQ(frames[2].width, 0);
}

TEST(StorageFrames, ATotalOfZeroCountsAsOne)
{
    const auto frames = storageFrames({{"a", "A", 3, Palette::brand}}, 0, 100, 10);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_DOUBLE_EQ(frames[0].width, 300); // three times the width: only the layout limits it
}

TEST(StorageFrames, SeveralFlexibleSegmentsShareWhatIsLeft)
{
    const auto frames = storageFrames(
        {{"x", "X", 1, Palette::ink, true}, {"y", "Y", 1, Palette::ink, true}}, 10, 103, 8);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_DOUBLE_EQ(frames[0].width, 50);
    EXPECT_DOUBLE_EQ(frames[1].x, 53);
    EXPECT_DOUBLE_EQ(frames[1].width, 50);
}

TEST(Stripes, AreSlantedParallelogramsFourteenApartCoveringTheArea)
{
    const double t = 1000.25; // phase 3.5
    const auto stripes = BarGeometry::stripes(100, 10, t);
    ASSERT_FALSE(stripes.empty());
    const QPolygonF& first = stripes.front();
    ASSERT_EQ(first.size(), 4);
    EXPECT_DOUBLE_EQ(first[0].x(), -14 - 10 + 3.5);
    EXPECT_EQ(first[0], QPointF(first[0].x(), 10));
    EXPECT_EQ(first[1], QPointF(first[0].x() + 10, 0)); // 45°: as far across as it is high
    EXPECT_EQ(first[2], QPointF(first[0].x() + 17, 0)); // 7 wide
    EXPECT_EQ(first[3], QPointF(first[0].x() + 7, 10));
    for (std::size_t i = 1; i < stripes.size(); ++i)
        EXPECT_DOUBLE_EQ(stripes[i][0].x() - stripes[i - 1][0].x(), 14);
    EXPECT_LT(stripes.back()[0].x(), 100 + 14);
    EXPECT_GE(stripes.back()[0].x() + 14, 100 + 14);
    // The first stripe's right edge starts left of the area: nothing is left uncovered at 0.
    EXPECT_LE(first[3].x(), 0);
}

TEST(Stripes, MoveRightOnePeriodPerSecond)
{
    const auto now = BarGeometry::stripes(60, 8, 20.0);
    const auto half = BarGeometry::stripes(60, 8, 20.5);
    const auto next = BarGeometry::stripes(60, 8, 21.0);
    EXPECT_DOUBLE_EQ(half.front()[0].x() - now.front()[0].x(), 7);
    ASSERT_EQ(now.size(), next.size());
    EXPECT_EQ(now.front(), next.front());
}
