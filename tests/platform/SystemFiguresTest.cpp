#include <gtest/gtest.h>

#include "platform/Volume.h"
#include "support/TempTree.h"

using namespace platform;

TEST(VolumeFigures, TellTheCapacityAndNameOfTheVolumeHoldingAFolder)
{
    TempTree tree;
    const auto figures = volumeFigures(tree.root());
    ASSERT_TRUE(figures.ok() && figures->totalCapacity && figures->availableCapacity);
    EXPECT_GT(*figures->totalCapacity, 0);
    EXPECT_LE(*figures->availableCapacity, *figures->totalCapacity);
    // The proc file system has no label: its mount point names it.
    EXPECT_EQ(volumeFigures("/proc/self").value().name, "/proc");
    EXPECT_EQ(volumeFigures(tree.path("missing")).error(), std::errc::no_such_file_or_directory);
}
