#include <gtest/gtest.h>

#include "ui/design/BarGeometry.h"
#include "ui/design/Palette.h"

using BarGeometry::fillWidth;

namespace {

// Each frame's start and width, for comparison.
std::vector<std::pair<qreal, qreal>> frames(const std::vector<StorageSegment>& segments, std::int64_t total,
                                            qreal width, qreal height)
{
    std::vector<std::pair<qreal, qreal>> placed;
    for (const auto& frame : BarGeometry::storageFrames(segments, total, width, height))
        placed.emplace_back(frame.x, frame.width);
    return placed;
}

using Placed = std::vector<std::pair<qreal, qreal>>;

} // namespace

TEST(FillWidth, NeverShorterThanTheBarIsHighAndNeverPastTheTrack)
{
    EXPECT_DOUBLE_EQ(fillWidth(300, 12, 0.0), 12); // a dot as wide as the bar is high
    EXPECT_DOUBLE_EQ(fillWidth(300, 8, 0.001), 8);
    EXPECT_DOUBLE_EQ(fillWidth(300, 12, -0.4), 12);
    EXPECT_DOUBLE_EQ(fillWidth(300, 12, 0.5), 150);
    EXPECT_DOUBLE_EQ(fillWidth(300, 12, 1.5), 300);          // held to the track
    EXPECT_DOUBLE_EQ(fillWidth(300, 12, std::nullopt), 300); // no fraction: the whole track
}

TEST(StorageFrames, ShareTheWidthLeftAfterSpacingByBytesAndGiveTheRestToFlexibleOnes)
{
    // 406 wide less two gaps of 3 leaves 400 to share; the empty and negative ones are dropped.
    EXPECT_EQ(frames({{"a", "A", 250, Palette::brand},
                      {"gone", "Gone", -5, Palette::brand},
                      {"b", "B", 500, Palette::success},
                      {"rest", "Rest", 1, Palette::ink, true}},
                     1000, 406, 16),
              (Placed{{0, 100}, {103, 200}, {306, 100}}));
    // A dropped neighbour leaves no spacing behind.
    EXPECT_EQ(frames({{"junk", "Junk", 0, Palette::brand}, {"other", "Used", 500, Palette::ink, true}}, 1000, 400, 16),
              (Placed{{0, 400}}));
    EXPECT_EQ(frames({{"x", "X", 1, Palette::ink, true}, {"y", "Y", 1, Palette::ink, true}}, 10, 103, 8),
              (Placed{{0, 50}, {53, 50}}));
    // A tiny segment keeps the bar's height; a full row leaves the flexible one nothing.
    const Placed full = frames({{"tiny", "Tiny", 1, Palette::brand},
                                {"big", "Big", 999, Palette::success},
                                {"rest", "Rest", 10, Palette::ink, true}},
                               1000, 206, 16);
    ASSERT_EQ(full.size(), 3u);
    EXPECT_EQ(full[0].second, 16);
    EXPECT_EQ(full[2].second, 0);
    // A total of zero counts as one, never as a division by zero.
    EXPECT_EQ(frames({{"a", "A", 3, Palette::brand}}, 0, 100, 10), (Placed{{0, 300}}));
}

TEST(Stripes, CoverTheAreaAndMoveRightOnePeriodPerSecond)
{
    const auto stripes = BarGeometry::stripes(100, 10, 1000.25);
    ASSERT_GE(stripes.size(), 2u);
    EXPECT_LE(stripes.front()[3].x(), 0); // nothing is left uncovered at the left edge
    for (std::size_t i = 1; i < stripes.size(); ++i)
        EXPECT_DOUBLE_EQ(stripes[i][0].x() - stripes[i - 1][0].x(), BarGeometry::stripePeriod);
    EXPECT_GE(stripes.back()[0].x(), 100); // nor at the right

    const auto now = BarGeometry::stripes(60, 8, 20.0);
    const auto half = BarGeometry::stripes(60, 8, 20.5);
    EXPECT_DOUBLE_EQ(half.front()[0].x() - now.front()[0].x(), BarGeometry::stripePeriod / 2);
    EXPECT_EQ(now, BarGeometry::stripes(60, 8, 21.0));
}
