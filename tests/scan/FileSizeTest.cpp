#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "scan/FileSize.h"
#include "support/ScopedMount.h"
#include "support/TempTree.h"

TEST(FileSize, AFileCountsItsBlocksAFolderEverythingBelowIt)
{
    TempTree tree;
    const auto a = tree.file("folder/a", 10'000);
    const auto b = tree.file("folder/sub/.hidden", 70'000);
    const auto c = tree.file("folder/Tool.app/Contents/MacOS/tool", 300'000);
    const std::int64_t expected = allocatedSizeOf(a) + allocatedSizeOf(b) + allocatedSizeOf(c);
    EXPECT_GT(expected, 0);
    EXPECT_EQ(FileSize::allocated(a), allocatedSizeOf(a));
    EXPECT_EQ(FileSize::allocated(tree.path("folder")), expected);
}

TEST(FileSize, LinksCountAsNothingAndAreNeverFollowed)
{
    TempTree tree;
    TempTree elsewhere;
    elsewhere.file("huge", 2'000'000);
    tree.file("folder/small", 5'000);
    tree.symlink("folder/to-elsewhere", elsewhere.root());
    tree.symlink("folder/to-huge", elsewhere.path("huge"));
    tree.symlink("folder/loop", tree.path("folder"));
    tree.symlink("link-to-folder", tree.path("folder"));
    EXPECT_EQ(FileSize::allocated(tree.path("folder")), allocatedSizeOf(tree.path("folder/small")));
    EXPECT_EQ(FileSize::allocated(tree.path("link-to-folder")), 0);
    EXPECT_EQ(FileSize::allocated(tree.path("folder/to-huge")), 0);
}

TEST(FileSize, HardLinksCountEachTime)
{
    TempTree tree;
    const auto one = tree.file("folder/one", 50'000);
    std::filesystem::create_hard_link(one, tree.path("folder/two"));
    EXPECT_EQ(FileSize::allocated(tree.path("folder")), 2 * allocatedSizeOf(one));
}

// Removing the folder leaves a file system mounted inside it, so it is no part of its size.
TEST(FileSize, AFileSystemMountedInsideIsNotCounted)
{
    TempTree tree;
    const auto own = tree.file("folder/own", 8'000);
    tree.folder("folder/sub/mounted");
    ScopedMount mount = ScopedMount::tmpfs(tree.path("folder/sub/mounted"));
    if (!mount.ok())
        GTEST_SKIP() << mount.why();
    tree.file("folder/sub/mounted/elsewhere", 80'000);
    EXPECT_EQ(FileSize::allocated(tree.path("folder")), allocatedSizeOf(own));
}

TEST(FileSize, WhatCannotBeReadCountsAsNothing)
{
    TempTree tree;
    const auto visible = tree.file("folder/visible", 8'000);
    tree.file("folder/locked/secret", 8'000);
    tree.fifo("folder/pipe");
    tree.setMode("folder/locked", 0);
    EXPECT_EQ(FileSize::allocated(tree.path("missing")), 0);
    EXPECT_EQ(FileSize::allocated(tree.path("folder/pipe")), 0);
    EXPECT_EQ(FileSize::allocated(tree.path("folder")), allocatedSizeOf(visible));
}

TEST(FileSize, AWideSkewedTreeAddsUpExactly)
{
    TempTree tree;
    std::int64_t expected = 0;
    for (int i = 0; i < 400; ++i)
        expected += allocatedSizeOf(tree.file("big/" + std::to_string(i % 20) + "/f" + std::to_string(i), 4096 + i));
    expected += allocatedSizeOf(tree.file("small/only", 1));
    EXPECT_EQ(FileSize::allocated(tree.root()), expected);
}

TEST(FileSize, ACancelledWalkStopsEarly)
{
    TempTree tree;
    for (int i = 0; i < 100; ++i)
        tree.file("f/" + std::to_string(i), 4096);
    std::stop_source stop;
    stop.request_stop();
    EXPECT_EQ(FileSize::allocated(tree.path("f"), stop.get_token()), 0);
    // A single file is one reading; nothing to stop.
    EXPECT_GT(FileSize::allocated(tree.path("f/1"), stop.get_token()), 0);
}
