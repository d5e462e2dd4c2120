#include <unistd.h>

#include <cstdlib>
#include <string>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/MountPoints.h"
#include "scan/DiskScanner.h"
#include "scan/SystemAnswers.h"
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
        // The machine's own drives may hold trashes of this user: no test lists them.
        DiskScanner::setMountedFileSystemsForTesting({});
    }
    void TearDown() override
    {
        if (saved)
            ::setenv("XDG_DATA_HOME", saved->c_str(), 1);
        DiskScanner::resetSystemAnswersForTesting();
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

namespace {

std::string uid() { return std::to_string(::getuid()); }

platform::MountedFileSystem mountAt(const std::filesystem::path& folder, std::string type = "ext4")
{
    return {0, folder, "/dev/quillo-test", std::move(type)};
}

std::map<std::string, std::string> detailsByName(const CategoryResult& result)
{
    std::map<std::string, std::string> details;
    for (const ScanItem& item : result.items)
        details[item.name] = item.detail;
    return details;
}

} // namespace

TEST_F(TrashTest, ListsTheUsersTrashesOnOtherDrivesThatTheUserCanEmpty)
{
    TempTree drives;
    home.file(trash + "at-home", 5000);
    drives.file("usb/.Trash-" + uid() + "/files/holiday.jpg", 5000);
    drives.file("usb/.Trash-" + uid() + "/info/holiday.jpg.trashinfo", 100);
    drives.file("shared/.Trash/" + uid() + "/files/report.odt", 5000);
    drives.setMode("shared/.Trash", 01777);
    // A shared trash that is not sticky lets other users swap its folders.
    drives.file("unsafe/.Trash/" + uid() + "/files/swapped", 5000);
    drives.setMode("unsafe/.Trash", 0777);
    drives.file("kernel/.Trash-" + uid() + "/files/not-a-drive", 5000);
    drives.file("locked/.Trash-" + uid() + "/files/cannot-go", 5000);
    drives.setMode("locked/.Trash-" + uid() + "/files", 0555);
    // The home's own file system: the desktop keeps its trash in the home.
    home.file(".Trash-" + uid() + "/files/stale", 5000);
    DiskScanner::setMountedFileSystemsForTesting({
        mountAt(home.root()),
        mountAt(drives.path("usb")),
        mountAt(drives.path("shared")),
        mountAt(drives.path("unsafe")),
        mountAt(drives.path("kernel"), "proc"),
        mountAt(drives.path("locked")),
        mountAt(drives.path("usb")), // the same drive seen twice
    });

    const CategoryResult result = DiskScanner::trash(ProgressSink());
    EXPECT_EQ(result.items.size(), 3u);
    EXPECT_EQ(detailsByName(result), (std::map<std::string, std::string>{{"at-home", "In the Trash"},
                                                           {"holiday.jpg", "In the Trash on usb"},
                                                           {"report.odt", "In the Trash on shared"}}));
}

// The one test that reaches a real second file system: it adds a trash of its own there, and only
// where the user has none yet.
TEST_F(TrashTest, ListsItsOwnItemInTheTrashOfARealSecondFileSystem)
{
    const auto mounts = platform::mountedFileSystems();
    const auto shm = std::ranges::find_if(mounts, [](const auto& mount) { return mount.mountPoint == "/dev/shm"; });
    if (shm == mounts.end() || shm->type != "tmpfs")
        GTEST_SKIP() << "no tmpfs on /dev/shm";
    const std::filesystem::path ownTrash = "/dev/shm/.Trash-" + uid();
    if (isPresent(ownTrash))
        GTEST_SKIP() << ownTrash << " is a real trash of this user";
    struct Removal {
        std::filesystem::path trash;
        ~Removal() { std::filesystem::remove_all(trash); }
    } removal{ownTrash};
    const std::string name = "quillo-test-" + std::to_string(::getpid());
    writeFile(ownTrash / "files" / name, std::string(5000, 'q'));
    std::filesystem::create_directory(ownTrash / "info");
    DiskScanner::setMountedFileSystemsForTesting({*shm});

    const CategoryResult result = DiskScanner::trash(ProgressSink());
    ASSERT_EQ(result.items.size(), 1u);
    EXPECT_EQ(result.items[0].url, ownTrash / "files" / name);
    EXPECT_EQ(result.items[0].detail, "In the Trash on shm");
    EXPECT_GT(result.items[0].size, 0);
}
