#include <cstdlib>
#include <string>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "scan/DiskScanner.h"
#include "scan/routines/Trash.h"
#include "support/RecordingSink.h"
#include "support/TempTree.h"

using ::testing::UnorderedElementsAre;

namespace {

class TrashTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DiskScanner::setHomeForTesting(home.root());
        if (const char* value = std::getenv("XDG_DATA_HOME"))
            saved = value;
        ::unsetenv("XDG_DATA_HOME");
    }
    void TearDown() override
    {
        if (saved)
            ::setenv("XDG_DATA_HOME", saved->c_str(), 1);
    }

    TempTree home;
    std::optional<std::string> saved;
    const std::string trash = ".local/share/Trash/files/";
};

std::vector<std::string> names(const CategoryResult& result)
{
    std::vector<std::string> found;
    for (const ScanItem& item : result.items)
        found.push_back(item.name);
    return found;
}

} // namespace

// Taking out the Trash must leave nothing behind, not even what takes no space.
TEST_F(TrashTest, OffersEveryEntryHiddenOrEmptyButNotTheBrowsersDsStoreAllPreSelected)
{
    home.file(trash + ".DS_Store", 6000);
    home.file(trash + ".hidden", 5000);
    home.file(trash + "report.pdf", 9000);
    home.file(trash + "old project/main.c", 20'000);
    home.file(trash + "empty.txt", 0);
    home.folder(trash + "empty folder/inside");
    home.symlink(trash + "link", home.path(trash + "report.pdf"));
    RecordingSink recorder;
    const CategoryResult result = DiskScanner::trash(recorder.sink());
    EXPECT_FALSE(result.accessDenied);
    EXPECT_THAT(names(result),
                UnorderedElementsAre(".hidden", "report.pdf", "old project", "empty.txt", "empty folder", "link"));
    for (const ScanItem& item : result.items) {
        EXPECT_TRUE(item.isRecommended);
        EXPECT_TRUE(item.date.has_value());
    }
    EXPECT_EQ(result.items.front().name, "old project");
    EXPECT_EQ(result.items.back().size, 0);
    EXPECT_EQ(recorder.reports.size(), 6u);
}

TEST_F(TrashTest, OnlyARefusedListingIsARefusalAndEitherWayProgressEndsComplete)
{
    // Missing, empty, unreadable.
    for (int step = 0; step < 3; ++step) {
        if (step == 1)
            home.folder(trash);
        if (step == 2) {
            home.file(trash + "secret", 5000);
            home.setMode(trash, 0);
        }
        RecordingSink recorder;
        const CategoryResult result = DiskScanner::trash(recorder.sink());
        EXPECT_TRUE(result.items.empty());
        EXPECT_EQ(result.accessDenied, step == 2);
        EXPECT_EQ(recorder.reports, std::vector<ScanProgress>{(ScanProgress{0, "", 1.0})});
    }
}

TEST_F(TrashTest, ATrashWhoseOwnFoldersAreLinksIsRefusedAndOffersNothing)
{
    TempTree elsewhere;
    elsewhere.file("files/precious", 5000);
    elsewhere.folder("info");
    for (const std::string linked : {"Trash", "Trash/files", "Trash/info"}) {
        std::filesystem::remove_all(home.path(".local/share/Trash"));
        home.folder(".local/share/Trash/files");
        home.folder(".local/share/Trash/info");
        std::filesystem::remove_all(home.path(".local/share/" + linked));
        home.symlink(".local/share/" + linked, elsewhere.path(linked == "Trash" ? "" : linked.substr(6)));
        RecordingSink recorder;
        const CategoryResult result = DiskScanner::trash(recorder.sink());
        EXPECT_TRUE(result.items.empty()) << linked;
        EXPECT_TRUE(result.accessDenied) << linked;
        EXPECT_EQ(recorder.reports, std::vector<ScanProgress>{(ScanProgress{0, "", 1.0})});
    }
}
