#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/FixtureHome.h"
#include "platform/OwnBundleIdentifier.h"
#include "scan/routines/SystemJunk.h"
#include "support/FakeAppBundle.h"

using ::testing::ElementsAre;
using Tag = ScanItem::Tag;

TEST(SystemJunk, AppleCachesAreShownButNotTickedSaveTheDevelopmentEnvironments)
{
    FixtureHome home;
    home.file("Library/Caches/com.apple.Safari/cache.db");
    home.file("Library/Caches/com.apple.dt.Xcode/index");
    home.file("Library/Caches/com.vendor.editor/blob");
    home.file("Library/Caches/loose.db");
    // Differs from a protected name in case only: offered.
    home.file("Library/Caches/com.apple.clouddocs/x");

    const CategoryResult result = DiskScanner::systemJunk(ProgressSink());
    EXPECT_FALSE(result.accessDenied);
    ASSERT_EQ(result.items.size(), 5u);
    const ScanItem* safari = findItem(result, home.path("Library/Caches/com.apple.Safari"));
    EXPECT_THAT(safari->tags, ElementsAre(Tag::system));
    EXPECT_FALSE(safari->isRecommended);
    EXPECT_EQ(safari->detail, "App cache");
    EXPECT_THAT(findItem(result, home.path("Library/Caches/com.apple.clouddocs"))->tags, ElementsAre(Tag::system));
    for (const char* name : {"com.apple.dt.Xcode", "com.vendor.editor", "loose.db"}) {
        const ScanItem* item = findItem(result, home.path("Library/Caches") / name);
        ASSERT_NE(item, nullptr) << name;
        EXPECT_THAT(item->tags, ElementsAre(Tag::rebuildable));
        EXPECT_TRUE(item->isRecommended);
    }
}

TEST(SystemJunk, ProtectedOwnHiddenAndEmptyCachesAreNeverOffered)
{
    FixtureHome home;
    home.file("Library/Caches/CloudKit/state");
    home.file("Library/Caches/com.apple.nsurlsessiond/state");
    home.file(std::string("Library/Caches/") + std::string(platform::ownBundleIdentifier) + "/mine");
    home.file("Library/Caches/.hidden/x");
    home.folder("Library/Caches/com.vendor.empty");
    // The logs keep no exclusions but hidden entries.
    home.file(std::string("Library/Logs/") + std::string(platform::ownBundleIdentifier) + "/quillo.log");
    home.file("Library/Logs/com.apple.xpc/launchd.log");
    home.file("Library/Logs/.hidden.log");

    const CategoryResult result = DiskScanner::systemJunk(ProgressSink());
    ASSERT_EQ(result.items.size(), 2u);
    for (const ScanItem& item : result.items) {
        EXPECT_EQ(item.url.parent_path(), home.path("Library/Logs"));
        EXPECT_EQ(item.detail, "Log files");
        EXPECT_THAT(item.tags, ElementsAre(Tag::rebuildable));
        EXPECT_TRUE(item.isRecommended);
    }
}

TEST(SystemJunk, EntriesAreNamedAfterTheirInstalledApplication)
{
    FixtureHome home;
    const auto editor = makeAppBundle(home.applications("Editor Pro.app"), "com.vendor.editor");
    home.file("Library/Caches/com.vendor.editor/blob");
    home.file("Library/Logs/com.vendor.editor/editor.log");
    home.file("Library/Caches/com.vendor.gone/blob");

    const CategoryResult result = DiskScanner::systemJunk(ProgressSink());
    const ScanItem* cache = findItem(result, home.path("Library/Caches/com.vendor.editor"));
    EXPECT_EQ(cache->name, "Editor Pro");
    EXPECT_EQ(cache->iconURL, editor);
    EXPECT_EQ(findItem(result, home.path("Library/Logs/com.vendor.editor"))->name, "Editor Pro");
    const ScanItem* gone = findItem(result, home.path("Library/Caches/com.vendor.gone"));
    EXPECT_EQ(gone->name, "com.vendor.gone");
    EXPECT_EQ(gone->iconURL, std::nullopt);
}

TEST(SystemJunk, MissingFoldersAddNothingAndProgressEndsComplete)
{
    FixtureHome empty;
    std::vector<ScanProgress> reports;
    const CategoryResult nothing =
        DiskScanner::systemJunk(ProgressSink([&](const ScanProgress& report) { reports.push_back(report); }));
    EXPECT_TRUE(nothing.items.empty());
    EXPECT_FALSE(nothing.accessDenied);
    EXPECT_THAT(reports, ElementsAre(ScanProgress{0, "", 1.0}));
}
