#include <gtest/gtest.h>

#include "scan/DiskScanner.h"

TEST(DiskScanner, AbbreviatesTheHomeFolderOnly)
{
    DiskScanner::setHomeForTesting("/home/ann");
    EXPECT_EQ(DiskScanner::abbreviatedPath("/home/ann"), "~");
    EXPECT_EQ(DiskScanner::abbreviatedPath("/home/ann/Library/Caches"), "~/Library/Caches");
    EXPECT_EQ(DiskScanner::abbreviatedPath("/home/anne/file"), "/home/anne/file");
    EXPECT_EQ(DiskScanner::abbreviatedPath("/srv/data"), "/srv/data");
    DiskScanner::setHomeForTesting("/");
    EXPECT_EQ(DiskScanner::abbreviatedPath("/srv/data"), "/srv/data");
}
