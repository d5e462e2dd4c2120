#include <chrono>
#include <limits>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "scan/AgeCutoff.h"
#include "scan/DiskScanner.h"
#include "scan/routines/Downloads.h"
#include "support/RecordingSink.h"
#include "support/TempTree.h"

using ScanTag = ScanItem::Tag;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

class DownloadsTest : public ::testing::Test {
protected:
    void SetUp() override { DiskScanner::setHomeForTesting(home.root()); }

    std::map<std::string, ScanItem> scan(std::int64_t oldAfterDays)
    {
        std::map<std::string, ScanItem> byName;
        for (ScanItem& item : DiskScanner::downloads(oldAfterDays, ProgressSink()).items)
            byName[item.name] = std::move(item);
        return byName;
    }

    TempTree home;
};

std::int64_t secondsAgo(std::int64_t days)
{
    using namespace std::chrono;
    return duration_cast<seconds>(system_clock::now().time_since_epoch()).count() - days * 86'400;
}

} // namespace

TEST_F(DownloadsTest, TagsByTheLastExtensionIgnoringCaseAndRecommendsNothing)
{
    home.file("Downloads/Setup.DMG", 5000);
    home.file("Downloads/backup.tar.gz", 5000);
    home.file("Downloads/tool.pkg", 5000);
    home.file("Downloads/Project/readme.md", 5000);
    home.file("Downloads/.hidden.zip", 5000);
    home.file("Downloads/empty.zip", 0);
    // What a Linux user downloads.
    for (const char* installer : {"code_1.89_amd64.deb", "Krita-5.2.AppImage", "nvidia.run", "gimp.flatpakref"})
        home.file(std::string("Downloads/") + installer, 5000);
    home.file("Downloads/linux-6.9.tar.zst", 5000);
    // Unfinished downloads, the browser's mark after any other extension.
    home.file("Downloads/photos.zip.part", 5000);
    home.file("Downloads/movie.mkv.crdownload", 5000);
    auto items = scan(30);
    ASSERT_EQ(items.size(), 11u);
    EXPECT_THAT(items["Setup.DMG"].tags, ElementsAre(ScanTag::installer));
    EXPECT_THAT(items["backup.tar.gz"].tags, ElementsAre(ScanTag::archive));
    EXPECT_THAT(items["tool.pkg"].tags, ElementsAre(ScanTag::installer));
    for (const char* installer : {"code_1.89_amd64.deb", "Krita-5.2.AppImage", "nvidia.run", "gimp.flatpakref"})
        EXPECT_THAT(items[installer].tags, ElementsAre(ScanTag::installer)) << installer;
    EXPECT_THAT(items["linux-6.9.tar.zst"].tags, ElementsAre(ScanTag::archive));
    EXPECT_THAT(items["photos.zip.part"].tags, ElementsAre(ScanTag::review));
    EXPECT_THAT(items["movie.mkv.crdownload"].tags, ElementsAre(ScanTag::review));
    EXPECT_THAT(items["Project"].tags, IsEmpty());
    for (const auto& [name, item] : items) {
        EXPECT_FALSE(item.isRecommended) << name;
        EXPECT_EQ(item.url, home.path("Downloads") / name);
    }
}

TEST_F(DownloadsTest, OldFollowsTheKindTagAndTheArrivalDateOutranksTheModificationDate)
{
    home.file("Downloads/Setup.dmg", 5000);
    home.file("Downloads/notes.txt", 5000);
    // Modified long ago but only just put here: the arrival date is recent.
    home.setModificationTime("Downloads/Setup.dmg", secondsAgo(400));
    auto recent = scan(30);
    EXPECT_THAT(recent["Setup.dmg"].tags, ElementsAre(ScanTag::installer));
    EXPECT_GT(*recent["Setup.dmg"].date, Date::clock::now() - std::chrono::hours(1));
    // With a limit of no days, everything that came before the scan is old.
    auto all = scan(0);
    EXPECT_THAT(all["Setup.dmg"].tags, ElementsAre(ScanTag::installer, ScanTag::old));
    EXPECT_THAT(all["notes.txt"].tags, ElementsAre(ScanTag::old));
    // A limit too far back to count never wraps round into marking everything old.
    EXPECT_THAT(scan(std::numeric_limits<std::int64_t>::max())["Setup.dmg"].tags, ElementsAre(ScanTag::installer));
}

TEST(AgeCutoff, CountsWholeDaysBackAndSaturates)
{
    const Date now = Date::clock::now();
    EXPECT_EQ(DiskScanner::daysBefore(now, 30), now - std::chrono::days(30));
    EXPECT_EQ(DiskScanner::daysBefore(now, -1), now + std::chrono::days(1));
    EXPECT_EQ(DiskScanner::daysBefore(now, 0), now);
    EXPECT_EQ(DiskScanner::daysBefore(now, 110'000), Date::min());
    EXPECT_EQ(DiskScanner::daysBefore(now, std::numeric_limits<std::int64_t>::max()), Date::min());
    EXPECT_EQ(DiskScanner::daysBefore(now, -110'000), Date::max());
    EXPECT_EQ(DiskScanner::daysBefore(now, std::numeric_limits<std::int64_t>::min()), Date::max());
}

TEST_F(DownloadsTest, AMissingFolderIsEmptyAnUnreadableOneARefusal)
{
    RecordingSink missing;
    CategoryResult result = DiskScanner::downloads(30, missing.sink());
    EXPECT_TRUE(result.items.empty());
    EXPECT_FALSE(result.accessDenied);
    EXPECT_EQ(missing.reports, std::vector<ScanProgress>{(ScanProgress{0, "", 1.0})});

    home.file("Downloads/a.zip", 5000);
    home.setMode("Downloads", 0);
    RecordingSink refused;
    result = DiskScanner::downloads(30, refused.sink());
    EXPECT_TRUE(result.items.empty());
    EXPECT_TRUE(result.accessDenied);
    EXPECT_EQ(refused.reports, std::vector<ScanProgress>{(ScanProgress{0, "", 1.0})});
}
