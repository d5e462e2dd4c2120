#include <chrono>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "scan/DiskScanner.h"
#include "scan/routines/LargeFiles.h"
#include "support/FakeAppBundle.h"
#include "support/ScopedMount.h"
#include "support/TempTree.h"

using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;

namespace {

class LargeFilesTest : public ::testing::Test {
protected:
    void SetUp() override { DiskScanner::setHomeForTesting(home.root()); }

    std::vector<std::string> found(std::int64_t threshold)
    {
        std::vector<std::string> paths;
        for (const ScanItem& item : DiskScanner::largeFiles(threshold, ProgressSink()).items)
            paths.push_back(item.url.lexically_relative(home.root()).string());
        return paths;
    }

    static std::int64_t daysAgo(std::int64_t days)
    {
        using namespace std::chrono;
        return duration_cast<seconds>(system_clock::now().time_since_epoch()).count() - days * 86'400;
    }

    TempTree home;
};

constexpr std::int64_t big = 40'000;

} // namespace

TEST_F(LargeFilesTest, AFileExactlyAtTheThresholdIsOfferedOneByteUnderIsNot)
{
    const auto file = home.file("Documents/video.mov", 100'000);
    const std::int64_t onDisk = allocatedSizeOf(file);
    EXPECT_THAT(found(onDisk), ElementsAre("Documents/video.mov"));
    EXPECT_THAT(found(onDisk + 1), ::testing::IsEmpty());
}

TEST_F(LargeFilesTest, PrunesLibraryApplicationsDependencyFoldersPackagesAndHiddenFiles)
{
    home.file("top-level.iso", big);
    home.file("Documents/deep/er/keep.bin", big);
    home.file("Documents/small.txt", 100);
    for (const char* pruned : {"Library/Caches/big", "Applications/Tool/big", "Documents/node_modules/big",
                               "Documents/Pods/big", "Projects/.git/objects/big", "Projects/DerivedData/big",
                               "Applications.old/node_modules/big", "Documents/Tool.app/Contents/big",
                               "Documents/.secret/big", "Documents/.hidden-big", ".cache/big"})
        home.file(pruned, big);
    // Only the home folder's own "Library" is left out, and only by its exact name; a link to
    // it is never followed.
    home.file("Documents/library/big", big);
    home.symlink("Documents/link-to-library", home.path("Library"));
    EXPECT_THAT(found(big), UnorderedElementsAre("top-level.iso", "Documents/deep/er/keep.bin", "Documents/library/big"));
}

// The search leaves out what the user keeps, and stays on the home folder's file system: a drive
// mounted among the user's folders, or as one of them, is not searched.
TEST_F(LargeFilesTest, LeavesOutWhatIsKeptAndOtherFileSystems)
{
    home.file("Documents/keep/big", big);
    home.file("Projects/app/build/big", big);
    home.file("Projects/app/src/big", big);
    home.folder("Documents/drive");
    home.folder("nas");
    ScopedMount drive = ScopedMount::tmpfs(home.path("Documents/drive"));
    ScopedMount nas = ScopedMount::tmpfs(home.path("nas"));
    if (!drive.ok() || !nas.ok())
        GTEST_SKIP() << drive.why() << nas.why();
    home.file("Documents/drive/big", big);
    home.file("nas/big", big);
    auto kept = std::make_shared<const platform::PathPatterns>(
        std::vector<std::string>{"~/Documents/keep", "~/Projects/*/build"}, home.root());

    std::vector<std::string> paths;
    for (const ScanItem& item : DiskScanner::largeFiles(big, ProgressSink().leavingOut(kept)).items)
        paths.push_back(item.url.lexically_relative(home.root()).string());
    EXPECT_THAT(paths, ElementsAre("Projects/app/src/big"));
}

TEST_F(LargeFilesTest, ItemsNameTheirFolderAndTagOldByLastAccessNotByModification)
{
    // Modified long ago but opened lately: in use, not old. The reverse is old.
    home.file("Movies/watched.mov", big);
    home.file("Movies/forgotten.mov", big);
    home.setModificationTime("Movies/watched.mov", daysAgo(181));
    setAccessTime(home.path("Movies/watched.mov"), daysAgo(179));
    home.setModificationTime("Movies/forgotten.mov", daysAgo(179));
    setAccessTime(home.path("Movies/forgotten.mov"), daysAgo(181));
    const auto items = DiskScanner::largeFiles(big, ProgressSink()).items;
    ASSERT_EQ(items.size(), 2u);
    for (const ScanItem& item : items) {
        EXPECT_EQ(item.detail, "~/Movies");
        EXPECT_FALSE(item.isRecommended);
        if (item.name == "forgotten.mov")
            EXPECT_THAT(item.tags, ElementsAre(ScanItem::Tag::old));
        else
            EXPECT_THAT(item.tags, ::testing::IsEmpty());
    }
}

TEST_F(LargeFilesTest, KeepsTheLargestFiveHundredTheSameWayEveryTime)
{
    // 600 files in four sizes spread over several roots: the cap falls among ties.
    for (int i = 0; i < 600; ++i)
        home.file("root" + std::to_string(i % 5) + "/sub" + std::to_string(i % 7) + "/f" + std::to_string(i),
                  4096 * (1 + i % 4));
    const CategoryResult first = DiskScanner::largeFiles(1, ProgressSink());
    ASSERT_EQ(first.items.size(), 500u);
    EXPECT_FALSE(first.accessDenied);
    for (std::size_t i = 1; i < first.items.size(); ++i)
        EXPECT_GE(first.items[i - 1].size, first.items[i].size);
    EXPECT_EQ(first.items.back().size, 4096 * 1);
    for (int run = 0; run < 3; ++run)
        EXPECT_EQ(DiskScanner::largeFiles(1, ProgressSink()), first);
}

TEST_F(LargeFilesTest, ARootMayBeAFileButNeverALinkAndAStopEndsTheWalk)
{
    const auto file = home.file("single.bin", big);
    EXPECT_EQ(DiskScanner::findLargeFiles(file, big).size(), 1u);
    EXPECT_TRUE(DiskScanner::findLargeFiles(home.symlink("link.bin", file), 1).empty());
    EXPECT_TRUE(DiskScanner::findLargeFiles(home.symlink("link", home.root()), 1).empty());
    std::stop_source stop;
    stop.request_stop();
    EXPECT_TRUE(DiskScanner::findLargeFiles(home.root(), 1, ProgressSink({}, stop.get_token())).empty());
}
