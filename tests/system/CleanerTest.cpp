#include <unistd.h>

#include <cstdio>
#include <stop_token>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/IsolatedHome.h"
#include "support/TempTree.h"
#include "system/Cleaner.h"

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

ScanItem itemAt(const fs::path& url, std::int64_t size, std::vector<fs::path> extras = {})
{
    ScanItem item;
    item.url = url;
    item.name = url.filename().string();
    item.size = size;
    item.extraURLs = std::move(extras);
    return item;
}

// Runs a shell command with the test's home and returns what it printed.
std::string outputOf(const std::string& command)
{
    std::string output;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        while (std::size_t read = std::fread(buffer, 1, sizeof buffer, pipe))
            output.append(buffer, read);
        ::pclose(pipe);
    }
    return output;
}

class CleanerTest : public ::testing::Test {
protected:
    void SetUp() override { trashFiles = emptiedTrash(); }

    fs::path homeFile(const std::string& relative, const std::string& contents = "x") const
    {
        return writeFile(home / relative, contents);
    }

    const fs::path& home = isolatedHome();
    fs::path trashFiles;
};

} // namespace

TEST_F(CleanerTest, AnEmptyListTouchesNothing)
{
    EXPECT_EQ(Cleaner::clean({}, false), CleanReport{});
    EXPECT_EQ(Cleaner::clean({}, true), CleanReport{});
    EXPECT_FALSE(isPresent(trashFiles));
}

TEST_F(CleanerTest, ReportsEveryItemOnceInTheOrderGivenAndAMissingOneLeavesItsExtrasAlone)
{
    const auto extra = homeFile("extras/support");
    for (bool permanently : {false, true}) {
        const auto a = homeFile("items/a");
        const auto missing = home / "items/missing";
        const auto b = homeFile("items/b");
        const auto report = Cleaner::clean({itemAt(a, 100), itemAt(missing, 7, {extra}), itemAt(b, 20)}, permanently);
        EXPECT_THAT(report.removedURLs, ElementsAre(a, b));
        EXPECT_THAT(report.failedURLs, ElementsAre(missing));
        EXPECT_EQ(report.freedBytes, 120);
        EXPECT_TRUE(fs::exists(extra));
    }
}

TEST_F(CleanerTest, MovedItemsCanBePutBackByTheDesktopsTrashTools)
{
    const auto item = homeFile("restorable/notes.txt", "keep me");
    const auto report = Cleaner::clean({itemAt(item, 4096)}, false);
    ASSERT_THAT(report.removedURLs, ElementsAre(item));
    EXPECT_FALSE(isPresent(item));
    EXPECT_THAT(readFile(trashFiles.parent_path() / "info/notes.txt.trashinfo"), HasSubstr("Path=" + item.string() + "\n"));

    if (outputOf("command -v trash-restore").empty())
        GTEST_SKIP() << "trash-cli is not installed (scripts/bootstrap installs it)";
    EXPECT_THAT(outputOf("trash-list"), HasSubstr(item.string()));
    outputOf("cd '" + item.parent_path().string() + "' && echo 0 | trash-restore >/dev/null 2>&1");
    EXPECT_EQ(readFile(item), "keep me");
}

TEST_F(CleanerTest, PermanentRemovalLeavesNothingAndTrashEntriesLeaveNoRecord)
{
    const auto folder = homeFile("items/folder/inside").parent_path();
    const auto other = homeFile("items/other/inside").parent_path();
    Cleaner::clean({itemAt(folder, 1), itemAt(other, 1)}, false);
    ASSERT_TRUE(fs::exists(trashFiles / "folder/inside"));
    const auto sizes = writeFile(trashFiles.parent_path() / "directorysizes", "8 1 folder\n8 1 other\n8 1 kept\n");

    const auto report = Cleaner::clean({itemAt(trashFiles / "folder", 1), itemAt(trashFiles / "other", 1)}, true);
    EXPECT_THAT(report.removedURLs, ElementsAre(trashFiles / "folder", trashFiles / "other"));
    EXPECT_FALSE(isPresent(trashFiles / "folder"));
    EXPECT_FALSE(isPresent(trashFiles.parent_path() / "info/folder.trashinfo"));
    EXPECT_EQ(readFile(sizes), "8 1 kept\n");
}

// What is still in the Trash must stay restorable and counted: a folder there that another user's
// locked sub-folder keeps from going keeps its record and its cached size.
TEST_F(CleanerTest, AFailedDeletionOfATrashEntryKeepsItsRecords)
{
    const auto folder = homeFile("items/folder/locked/kept").parent_path().parent_path();
    Cleaner::clean({itemAt(folder, 1)}, false);
    const auto locked = trashFiles / "folder/locked";
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
    if (::chown(locked.c_str(), 65534, 65534) != 0)
        GTEST_SKIP() << "needs root to give the sub-folder away";
    const auto sizes = writeFile(trashFiles.parent_path() / "directorysizes", "8 1 folder\n");

    const auto report = Cleaner::clean({itemAt(trashFiles / "folder", 1)}, true);
    ASSERT_EQ(::chown(locked.c_str(), 0, 0), 0);
    fs::permissions(locked, fs::perms::owner_all);
    EXPECT_THAT(report.failedURLs, ElementsAre(trashFiles / "folder"));
    EXPECT_TRUE(fs::exists(locked / "kept"));
    EXPECT_TRUE(fs::exists(trashFiles.parent_path() / "info/folder.trashinfo"));
    EXPECT_EQ(readFile(sizes), "8 1 folder\n");
}

TEST_F(CleanerTest, AStopRequestLeavesTheItemsNotReachedUntouchedAndUnreported)
{
    const auto item = homeFile("items/waiting");
    std::stop_source stop;
    stop.request_stop();
    EXPECT_EQ(Cleaner::clean({itemAt(item, 10)}, false, stop.get_token()), CleanReport{});
    EXPECT_TRUE(fs::exists(item));
}

TEST_F(CleanerTest, ExtrasGoWithTheItemAndTheirFailuresChangeNothing)
{
    for (bool permanently : {false, true}) {
        const auto item = homeFile("items/app");
        const auto extra = homeFile("extras/cache");
        const auto lockedExtra = homeFile("locked/prefs");
        fs::permissions(lockedExtra.parent_path(), fs::perms::owner_read | fs::perms::owner_exec);
        const auto report =
            Cleaner::clean({itemAt(item, 300, {lockedExtra, home / "extras/missing", extra})}, permanently);
        fs::permissions(lockedExtra.parent_path(), fs::perms::owner_all);
        EXPECT_THAT(report.removedURLs, ElementsAre(item));
        EXPECT_EQ(report.freedBytes, 300);
        EXPECT_FALSE(isPresent(item));
        EXPECT_FALSE(isPresent(extra));
        EXPECT_TRUE(fs::exists(lockedExtra));
    }
}
