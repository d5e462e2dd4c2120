#include <sys/stat.h>

#include <array>
#include <cstring>

#include <gtest/gtest.h>

#include "platform/RegularFile.h"
#include "support/TempTree.h"

using platform::RegularFile;

TEST(RegularFile, ReadsWholeChunksUntilTheEnd)
{
    TempTree tree;
    const auto path = tree.file("data", 10'000, 'q');
    auto file = RegularFile::open(path);
    ASSERT_TRUE(file);
    std::array<std::byte, 4096> chunk{};
    std::size_t total = 0;
    std::vector<std::size_t> lengths;
    for (auto read = file->read(chunk); read && *read > 0; read = file->read(chunk)) {
        lengths.push_back(*read);
        total += *read;
        EXPECT_EQ(chunk[0], std::byte{'q'});
    }
    EXPECT_EQ(total, 10'000u);
    EXPECT_EQ(lengths, (std::vector<std::size_t>{4096, 4096, 1808}));
}

TEST(RegularFile, OpensNothingButARegularFileAndNeverBlocks)
{
    TempTree tree;
    const auto target = tree.file("target", 100);
    EXPECT_TRUE(RegularFile::open(target));
    EXPECT_FALSE(RegularFile::open(tree.symlink("link", target)));
    // Opening a FIFO for reading would wait for a writer; it is refused at once.
    EXPECT_FALSE(RegularFile::open(tree.fifo("pipe")));
    EXPECT_FALSE(RegularFile::open(tree.folder("folder")));
    EXPECT_EQ(RegularFile::open(tree.path("missing")).error(), std::errc::no_such_file_or_directory);
    tree.setMode("target", 0);
    EXPECT_EQ(RegularFile::open(target).error(), std::errc::permission_denied);
}

TEST(RegularFile, ReadingLeavesTheAccessDateAlone)
{
    TempTree tree;
    const auto path = tree.file("photo.raw", 50'000);
    // Accessed no later than modified: a relatime mount would update the access date on reading.
    tree.setModificationTime("photo.raw", 1'000'000'000);
    auto file = RegularFile::open(path);
    ASSERT_TRUE(file);
    std::array<std::byte, 65536> chunk{};
    ASSERT_TRUE(file->read(chunk));
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_atime, 1'000'000'000);
}
