#include <cmath>

#include <gtest/gtest.h>

#include "ui/design/Spring.h"

TEST(Spring, StartsWhereReleasedEndsAtTheTargetAndRetargetsWithoutAJump)
{
    const Spring spring{0.3, 0.7};
    EXPECT_DOUBLE_EQ(spring.at(0, 0.2, 1).position, 0.2);
    EXPECT_NEAR(spring.at(5, 0.2, 1).position, 1, 1e-9);
    // Restarted midway towards another target, it keeps its position and velocity.
    const Spring::State midway = spring.at(0.08, 0, 1);
    const Spring::State restarted = spring.at(0, midway.position, 0, midway.velocity);
    EXPECT_DOUBLE_EQ(restarted.position, midway.position);
    EXPECT_NEAR(restarted.velocity, midway.velocity, 1e-9);
}

// Under, critically and over damped alike come to rest within their settling time and stay there.
TEST(Spring, SettlesWithinItsSettlingTimeAndStaysThere)
{
    for (const Spring spring : {Spring{0.25, 0.5}, Spring{0.3, 0.85}, Spring{0.5, 1.0}, Spring{0.4, 1.6}}) {
        const double settled = spring.settlingTime(0.001);
        EXPECT_GT(settled, 0.05);
        EXPECT_LT(settled, 4 * spring.response);
        for (double t = settled; t < settled + 2; t += 0.001)
            ASSERT_LT(std::abs(spring.at(t, 1, 0).position), 0.001) << "at " << t;
    }
    // A stiffer, less damped spring comes to rest sooner than a slow, critically damped one.
    EXPECT_LT((Spring{0.25, 0.55}).settlingTime(), (Spring{0.5, 1.0}).settlingTime());
}
