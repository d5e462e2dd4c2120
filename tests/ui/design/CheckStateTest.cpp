#include <gtest/gtest.h>

#include "ui/design/CheckState.h"

TEST(CheckStateFromCounts, EmptyWithNoneTickedWithAllDashInBetween)
{
    EXPECT_EQ(checkState(0, 3), CheckState::off);
    EXPECT_EQ(checkState(1, 3), CheckState::mixed);
    EXPECT_EQ(checkState(2, 3), CheckState::mixed);
    EXPECT_EQ(checkState(3, 3), CheckState::on);
    EXPECT_EQ(checkState(0, 0), CheckState::off); // an empty list has nothing to tick
}
