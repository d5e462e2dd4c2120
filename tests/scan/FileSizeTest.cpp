#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "scan/FileSize.h"
#include "support/ScopedMount.h"
#include "support/TempTree.h"

// Every block below a folder counts, hidden and package contents included, a hard link each time.
TEST(FileSize, AFileCountsItsBlocksAFolderEverythingBelowIt)
{
    TempTree tree;
    const auto a = tree.file("folder/a", 10'000);
    std::int64_t expected = allocatedSizeOf(a) + allocatedSizeOf(tree.file("folder/sub/.hidden", 70'000)) +
                            allocatedSizeOf(tree.file("folder/Tool.app/Contents/MacOS/tool", 300'000));
    std::filesystem::create_hard_link(a, tree.path("folder/hard"));
    expected += allocatedSizeOf(a);
    // A wide, skewed tree that the walk splits among threads.
    for (int i = 0; i < 400; ++i)
        expected += allocatedSizeOf(tree.file("folder/big/" + std::to_string(i % 20) + "/f" + std::to_string(i), 4096 + i));
    EXPECT_EQ(FileSize::allocated(a), allocatedSizeOf(a));
    EXPECT_EQ(FileSize::allocated(tree.path("folder")), expected);
}

// Links count as nothing and are never followed; what cannot be read counts as nothing.
TEST(FileSize, LinksAndWhatCannotBeReadCountAsNothing)
{
    TempTree tree;
    TempTree elsewhere;
    elsewhere.file("huge", 2'000'000);
    const auto visible = tree.file("folder/small", 5'000);
    tree.symlink("folder/to-elsewhere", elsewhere.root());
    tree.symlink("folder/to-huge", elsewhere.path("huge"));
    tree.symlink("folder/loop", tree.path("folder"));
    tree.symlink("link-to-folder", tree.path("folder"));
    tree.file("folder/locked/secret", 8'000);
    tree.fifo("folder/pipe");
    tree.setMode("folder/locked", 0);
    EXPECT_EQ(FileSize::allocated(tree.path("folder")), allocatedSizeOf(visible));
    EXPECT_EQ(FileSize::allocated(tree.path("link-to-folder")), 0);
    EXPECT_EQ(FileSize::allocated(tree.path("folder/to-huge")), 0);
    EXPECT_EQ(FileSize::allocated(tree.path("folder/pipe")), 0);
    EXPECT_EQ(FileSize::allocated(tree.path("missing")), 0);
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
