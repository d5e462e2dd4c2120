#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/FixtureHome.h"
#include "scan/routines/DeviceBackups.h"
#include "support/PropertyListWriter.h"

using ::testing::ElementsAre;
using Tag = ScanItem::Tag;

namespace {

constexpr std::string_view backups = "Library/Application Support/MobileSync/Backup/";

std::filesystem::path backup(const FixtureHome& home, std::string_view id)
{
    return home.path(std::string(backups) + std::string(id));
}

// A backup folder with some data in it, and these bytes as its description (none when empty).
void makeBackup(const FixtureHome& home, std::string_view id, const std::string& info = {})
{
    home.file(std::string(backups) + std::string(id) + "/00/0000data", 50'000);
    if (!info.empty())
        writeFile(backup(home, id) / "Info.plist", info);
}

} // namespace

TEST(DeviceBackups, AreNamedAndDescribedByTheirInfoPlist)
{
    FixtureHome home;
    PlistDictionary phone;
    phone.text("Device Name", "Work phone").text("Display Name", "ignored").text("Product Name", "iPhone15,2");
    phone.text("Product Version", "17.5").date("Last Backup Date", daysAgo(1));
    makeBackup(home, "phone", phone.bytes(PlistFormat::binary));
    PlistDictionary tablet;
    tablet.text("Display Name", "Kid's iPad").text("Product Name", "iPad13,1").date("Last Backup Date", daysAgo(200));
    makeBackup(home, "tablet", tablet.bytes(PlistFormat::xml));

    const CategoryResult result = DiskScanner::iosBackups(ProgressSink());
    EXPECT_FALSE(result.accessDenied);
    ASSERT_EQ(result.items.size(), 2u);
    const ScanItem* phoneItem = findItem(result, backup(home, "phone"));
    EXPECT_EQ(phoneItem->name, "Work phone");
    EXPECT_EQ(phoneItem->detail, "iPhone15,2 · iOS 17.5");
    EXPECT_EQ(phoneItem->date, daysAgo(1));
    EXPECT_THAT(phoneItem->tags, ElementsAre(Tag::review));
    EXPECT_FALSE(phoneItem->isRecommended);
    const ScanItem* tabletItem = findItem(result, backup(home, "tablet"));
    EXPECT_EQ(tabletItem->name, "Kid's iPad");
    EXPECT_EQ(tabletItem->detail, "iPad13,1");
    EXPECT_THAT(tabletItem->tags, ElementsAre(Tag::review, Tag::old));
}

TEST(DeviceBackups, AnUnreadableOrMalformedInfoPlistNeverDropsABackup)
{
    FixtureHome home;
    makeBackup(home, "missing");
    makeBackup(home, "garbage", std::string(4000, '\x9c'));
    PlistDictionary full;
    full.text("Device Name", "Phone").date("Last Backup Date", daysAgo(300));
    const std::string bytes = full.bytes(PlistFormat::binary);
    makeBackup(home, "truncated", bytes.substr(0, bytes.size() - 10));
    makeBackup(home, "deep", nestedArraysXml(300'000));
    makeBackup(home, "huge");
    home.file(std::string(backups) + "huge/Info.plist");
    std::filesystem::resize_file(backup(home, "huge") / "Info.plist", 50'000'000);
    PlistDictionary wrongTypes;
    wrongTypes.integer("Device Name", 1).text("Last Backup Date", "yesterday").integer("Product Name", 2);
    makeBackup(home, "types", wrongTypes.bytes(PlistFormat::binary));
    makeBackup(home, "folder");
    home.folder(std::string(backups) + "folder/Info.plist");

    const CategoryResult result = DiskScanner::iosBackups(ProgressSink());
    ASSERT_EQ(result.items.size(), 7u);
    for (const ScanItem& item : result.items) {
        EXPECT_EQ(item.name, "Unknown device") << item.url;
        EXPECT_EQ(item.detail, "Device backup") << item.url;
        EXPECT_THAT(item.tags, ElementsAre(Tag::review)) << item.url;
        // The folder's modification date stands in.
        ASSERT_TRUE(item.date);
        EXPECT_GT(*item.date, daysAgo(1));
    }
}

TEST(DeviceBackups, AMissingFolderIsEmptyARefusedOneIsAccessDenied)
{
    FixtureHome home;
    EXPECT_EQ(DiskScanner::iosBackups(ProgressSink()), CategoryResult{});
    makeBackup(home, "phone");
    home.tree().setMode("home/" + std::string(backups), 0);
    EXPECT_EQ(DiskScanner::iosBackups(ProgressSink()), (CategoryResult{{}, true}));
}
