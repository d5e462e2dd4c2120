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

TEST(DiskScanner, PermissionErrorsAreRefusalsOnly)
{
    EXPECT_TRUE(DiskScanner::isPermissionError(std::make_error_code(std::errc::permission_denied)));
    EXPECT_TRUE(DiskScanner::isPermissionError(std::make_error_code(std::errc::operation_not_permitted)));
    EXPECT_TRUE(DiskScanner::isPermissionError(std::error_code(EACCES, std::system_category())));
    EXPECT_FALSE(DiskScanner::isPermissionError(std::make_error_code(std::errc::no_such_file_or_directory)));
    EXPECT_FALSE(DiskScanner::isPermissionError(std::make_error_code(std::errc::not_a_directory)));
    EXPECT_FALSE(DiskScanner::isPermissionError({}));
}
