#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/FixtureHome.h"
#include "platform/OwnBundleIdentifier.h"
#include "scan/SystemAnswers.h"
#include "scan/apps/InstalledApps.h"
#include "scan/routines/Uninstaller.h"
#include "support/FakeAppBundle.h"

using ::testing::ElementsAre;
using Tag = ScanItem::Tag;

namespace {

std::int64_t secondsSinceEpoch(Date date)
{
    return std::chrono::duration_cast<std::chrono::seconds>(date.time_since_epoch()).count();
}

} // namespace

TEST(Uninstaller, OffersThirdPartyAppsWithTheirSupportFiles)
{
    FixtureHome home;
    const auto editor = makeAppBundle(home.applications("Editor.app"), "com.vendor.editor");
    const auto support = home.file("Library/Application Support/com.vendor.editor/state", 20'000);
    const auto cache = home.file("Library/Caches/Editor/blob", 30'000);
    const auto preferences = home.file("Library/Preferences/com.vendor.editor.plist", 100);
    const auto container = home.file("Library/Containers/com.vendor.editor/data", 100);
    home.file("Library/Preferences/com.vendor.other.plist", 100);
    makeAppBundle(home.applications("Safari.app"), "com.apple.Safari");
    makeAppBundle(home.applications("Quillo.app"), platform::ownBundleIdentifier);
    makeAppBundle(home.systemApplications("Tool.app"), "com.vendor.systemtool");

    const CategoryResult result = DiskScanner::uninstaller(ProgressSink());
    EXPECT_FALSE(result.accessDenied);
    ASSERT_EQ(result.items.size(), 1u);
    const ScanItem& item = result.items[0];
    EXPECT_EQ(item.url, editor);
    EXPECT_EQ(item.detail, "App + 4 related items");
    EXPECT_THAT(item.extraURLs, ElementsAre(support.parent_path(), cache.parent_path(), preferences,
                                            container.parent_path()));
    EXPECT_EQ(item.bundleID, "com.vendor.editor");
    EXPECT_FALSE(item.isRecommended);
    EXPECT_EQ(item.size, allocatedSizeOf(editor / "Contents/Info.plist") +
                             allocatedSizeOf(editor / "Contents/MacOS/Editor") + allocatedSizeOf(support) +
                             allocatedSizeOf(cache) + allocatedSizeOf(preferences) + allocatedSizeOf(container));
}

// A folder named like the identifier but for case is one related item, counted and sized once.
TEST(Uninstaller, RelatedItemsAreTakenOnceEach)
{
    FixtureHome home;
    makeAppBundle(home.applications("com.example.Tool.app"), "com.example.tool");
    home.folder("Library/Application Support/com.example.tool");
    home.file("Library/Application Support/com.example.tool/a", 100);
    home.file("Library/Application Support/com.example.Tool/b", 100);
    const CategoryResult result = DiskScanner::uninstaller(ProgressSink());
    ASSERT_EQ(result.items.size(), 1u);
    EXPECT_EQ(result.items[0].detail, "App + 1 related item");
    EXPECT_THAT(result.items[0].extraURLs, ElementsAre(home.path("Library/Application Support/com.example.tool")));
}

TEST(Uninstaller, TagsRunningThenOldAndNeverRecommends)
{
    FixtureHome home;
    const auto stale = makeAppBundle(home.applications("Stale.app"), "com.vendor.stale");
    const auto recent = makeAppBundle(home.path("Applications/Recent.app"), "com.vendor.recent");
    const auto unknown = makeAppBundle(home.applications("Unknown.app"), "com.vendor.unknown");
    std::filesystem::remove(unknown / "Contents/MacOS/Unknown");
    setAccessTime(stale / "Contents/MacOS/Stale", secondsSinceEpoch(daysAgo(181)));
    setAccessTime(recent / "Contents/MacOS/Recent", secondsSinceEpoch(daysAgo(179)));
    DiskScanner::setRunningApplicationsForTesting({"com.vendor.stale", "com.vendor.recent"});

    const CategoryResult result = DiskScanner::uninstaller(ProgressSink());
    ASSERT_EQ(result.items.size(), 3u);
    const ScanItem* staleItem = findItem(result, stale);
    EXPECT_THAT(staleItem->tags, ElementsAre(Tag::running, Tag::old));
    EXPECT_EQ(staleItem->date, daysAgo(181));
    EXPECT_THAT(findItem(result, recent)->tags, ElementsAre(Tag::running));
    // No last-used date: no `old`, and the bundle's modification date stands in.
    const ScanItem* unknownItem = findItem(result, unknown);
    EXPECT_TRUE(unknownItem->tags.empty());
    ASSERT_TRUE(unknownItem->date);
    EXPECT_GT(*unknownItem->date, daysAgo(1));
    for (const ScanItem& item : result.items)
        EXPECT_FALSE(item.isRecommended);
}

TEST(Uninstaller, ContainersOnlyWithFullDiskAccess)
{
    FixtureHome home;
    makeAppBundle(home.applications("Editor.app"), "com.vendor.editor");
    home.file("Library/Containers/com.vendor.editor/data", 100);
    DiskScanner::setFullDiskAccessForTesting(false);

    const CategoryResult result = DiskScanner::uninstaller(ProgressSink());
    ASSERT_EQ(result.items.size(), 1u);
    EXPECT_TRUE(result.items[0].extraURLs.empty());
    EXPECT_EQ(result.items[0].detail, "App");
    EXPECT_FALSE(result.accessDenied);
}

TEST(Uninstaller, IdentifiersNeverLeadOutOfTheLibraryFolders)
{
    FixtureHome home;
    home.file("Documents/thesis.tex", 100);
    home.file("Library/Preferences/...plist", 100);
    // "Application Support/../../Documents" would be the user's documents.
    EXPECT_TRUE(DiskScanner::relatedFiles("../../Documents", "..", true).empty());
    EXPECT_TRUE(DiskScanner::relatedFiles("..", "", true).empty());
    EXPECT_TRUE(DiskScanner::relatedFiles("com.vendor/../..", "a/../..", true).empty());
}

TEST(Uninstaller, FilesAnotherInstalledAppMayUseGoWithNeither)
{
    FixtureHome home;
    // Two copies of one app: its support files serve the copy that stays.
    const auto editor = makeAppBundle(home.path("Applications/Editor.app"), "com.vendor.editor");
    const auto oldEditor = makeAppBundle(home.path("Applications/Old/Editor 1.0.app"), "com.vendor.editor");
    home.file("Library/Application Support/com.vendor.editor/state", 20'000);
    home.file("Library/Application Support/Editor 1.0/state", 20'000);
    home.file("Library/Preferences/com.vendor.editor.plist", 100);
    // Two apps of one name: only what the name leads to is shared.
    makeAppBundle(home.applications("Notes.app"), "com.first.notes");
    makeAppBundle(home.path("Applications/Notes.app"), "com.second.notes");
    home.file("Library/Caches/Notes/blob", 30'000);
    const auto ownCache = home.file("Library/Caches/com.first.notes/blob", 30'000);

    const CategoryResult result = DiskScanner::uninstaller(ProgressSink());
    ASSERT_EQ(result.items.size(), 4u);
    for (const auto& copy : {editor, oldEditor}) {
        const ScanItem* item = findItem(result, copy);
        EXPECT_THAT(item->extraURLs, ::testing::IsEmpty());
        EXPECT_EQ(item->detail, "App");
        EXPECT_EQ(item->size, allocatedSizeOf(copy / "Contents/Info.plist") +
                                  allocatedSizeOf(copy / "Contents/MacOS" / copy.stem()));
    }
    EXPECT_THAT(findItem(result, home.applications("Notes.app"))->extraURLs, ElementsAre(ownCache.parent_path()));
    EXPECT_THAT(findItem(result, home.path("Applications/Notes.app"))->extraURLs, ::testing::IsEmpty());
}
