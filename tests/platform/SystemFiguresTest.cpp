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
    // The proc file system has no label: the folder it is mounted on names it.
    EXPECT_EQ(volumeFigures("/proc/self").value().name, "proc");
    EXPECT_EQ(volumeFigures(tree.path("missing")).error(), std::errc::no_such_file_or_directory);
    // Without a label, the computer's own disk has the platform's name for it.
    EXPECT_EQ(volumeName({0, "/", "/dev/quillo-test", "ext4"}), "Computer");
    EXPECT_EQ(volumeName({0, "/media/user/Photos", "/dev/quillo-test", "exfat"}), "Photos");
}
