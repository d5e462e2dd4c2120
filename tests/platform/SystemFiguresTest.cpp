#include <sys/statvfs.h>

#include <gtest/gtest.h>

#include "platform/Memory.h"
#include "platform/Volume.h"
#include "support/TempTree.h"

using namespace platform;

TEST(VolumeFigures, TellTheCapacityAndNameOfTheVolumeHoldingAFolder)
{
    TempTree tree;
    const auto figures = volumeFigures(tree.root());
    ASSERT_TRUE(figures.ok());
    struct statvfs volume {};
    ASSERT_EQ(::statvfs(tree.root().c_str(), &volume), 0);
    EXPECT_EQ(figures->totalCapacity, static_cast<std::int64_t>(volume.f_blocks * volume.f_frsize));
    ASSERT_TRUE(figures->availableCapacity);
    EXPECT_LE(*figures->availableCapacity, *figures->totalCapacity);
    EXPECT_FALSE(figures->importantUsageCapacity);
    ASSERT_TRUE(figures->name);
    EXPECT_FALSE(figures->name->empty());

    // The proc file system has no label: its mount point names it.
    EXPECT_EQ(volumeFigures("/proc/self").value().name, "/proc");
}

TEST(VolumeFigures, AFailedQueryCarriesTheSystemsReason)
{
    TempTree tree;
    EXPECT_EQ(volumeFigures(tree.path("missing")).error(), std::errc::no_such_file_or_directory);
}

TEST(MemoryFigures, CountTheMemoryInUseAsPages)
{
    EXPECT_GT(physicalMemory(), 0);
    EXPECT_GT(pageSize(), 0);
    const auto pages = pageCounts();
    ASSERT_TRUE(pages.ok());
    EXPECT_GT(pages->internal, 0u);
    EXPECT_LE(static_cast<std::int64_t>(pages->internal) * pageSize(), physicalMemory());
    EXPECT_EQ(pages->wired + pages->compressor + pages->purgeable, 0u);
}
