#include <limits>

#include <gtest/gtest.h>

#include "records/ScanOptions.h"

TEST(ScanOptions, AStoredThresholdBeyondSixtyFourBitsOfBytesIsNoChoiceAndFallsBackToTheDefault)
{
    const ScanOptions defaults = ScanOptions::fromStored(std::nullopt, 7);
    const std::int64_t largest = std::numeric_limits<std::int64_t>::max() / 1'000'000;
    EXPECT_EQ(ScanOptions::fromStored(largest, 7).largeFileThreshold, largest * 1'000'000);
    EXPECT_EQ(ScanOptions::fromStored(largest + 1, 7), defaults);
    EXPECT_EQ(ScanOptions::fromStored(std::numeric_limits<std::int64_t>::min(), 7), defaults);
}
