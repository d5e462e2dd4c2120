#include <fstream>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "scan/duplicates/FilesBySize.h"
#include "scan/duplicates/IdenticalSets.h"
#include "support/TempTree.h"

using DiskScanner::FileInfo;
using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;

namespace {

FileInfo infoOf(const std::filesystem::path& path, std::int64_t size)
{
    const auto attributes = platform::readAttributes(path, platform::AttributeKey::contentIdentifier);
    return FileInfo{path, size, std::nullopt, attributes ? attributes->contentIdentifier : std::nullopt, std::nullopt,
                    std::nullopt};
}

} // namespace

// A file that vanished, grew, cannot be read or is a FIFO under a listed name matches nothing,
// and does not block the search.
TEST(IdenticalSets, FilesThatChangedOrCannotBeReadNeverMatch)
{
    TempTree tree;
    std::vector<FileInfo> files;
    for (const char* name : {"kept", "vanished", "grown", "locked"})
        files.push_back(infoOf(tree.file(name, 150'000), 150'000));
    std::filesystem::remove(tree.path("vanished"));
    std::ofstream(tree.path("grown"), std::ios::app) << "more";
    tree.setMode("locked", 0);
    files.push_back(infoOf(tree.fifo("pipe"), 150'000));
    EXPECT_TRUE(DiskScanner::identicalSets(files).empty());

    files.push_back(infoOf(tree.file("twin", 150'000), 150'000));
    const auto sets = DiskScanner::identicalSets(files);
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_THAT(sets[0], ElementsAre(files[0], files.back()));
}

TEST(FilesBySize, WalksOnlyTheUsersOwnFilesAtOrAboveTheMinimumRootsInOrder)
{
    TempTree home;
    for (const char* kept : {"Documents/a", "Documents/deep/b", "build/c", "Documents/Build/d"})
        home.file(kept, 2000);
    for (const char* skipped : {"Documents/build/x", "Documents/Library/x", "Documents/node_modules/x",
                                "Documents/Tool.app/x", "Documents/.hidden", "Documents/.folder/x"})
        home.file(skipped, 2000);
    home.symlink("Documents/link", home.path("Documents/a"));
    home.fifo("Documents/pipe");
    home.file("Documents/small", 1999);

    const auto buckets = DiskScanner::filesBySize({home.path("Documents"), home.path("build")}, 2000);
    ASSERT_EQ(buckets.size(), 1u);
    std::vector<std::string> found;
    for (const FileInfo& file : buckets.at(2000)) {
        found.push_back(file.url.lexically_relative(home.root()).string());
        EXPECT_TRUE(file.contentID && file.created);
    }
    EXPECT_THAT(found, UnorderedElementsAre("Documents/a", "Documents/deep/b", "Documents/Build/d", "build/c"));
    EXPECT_EQ(found.back(), "build/c");
}
