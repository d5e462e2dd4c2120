#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <stop_token>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/MountPoints.h"
#include "platform/PermanentRemoval.h"
#include "support/IsolatedHome.h"
#include "support/ScopedMount.h"
#include "support/SparseFile.h"
#include "support/TempTree.h"
#include "services/Cleaner.h"

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

// The item as a scan records it: what `url` is now.
ScanItem scanned(const fs::path& url, std::optional<fs::path> original = std::nullopt)
{
    struct stat st {};
    EXPECT_EQ(::lstat(url.c_str(), &st), 0) << url;
    ScanItem item = itemAt(url, 1);
    item.fingerprint = Fingerprint{st.st_dev, st.st_ino, std::nullopt, std::nullopt};
    if (S_ISREG(st.st_mode)) {
        item.fingerprint->length = st.st_size;
        item.fingerprint->modificationDate =
            Date(std::chrono::duration_cast<Date::duration>(std::chrono::seconds(st.st_mtim.tv_sec) +
                                                            std::chrono::nanoseconds(st.st_mtim.tv_nsec)));
    }
    item.originalURL = std::move(original);
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
    ASSERT_EQ(report.trashEntries.size(), 1u);
    ASSERT_EQ(report.trashEntries[0].size(), 1u);
    EXPECT_EQ(report.trashEntries[0][0].name, "notes.txt");
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
    // Nor does an empty list make a Trash.
    EXPECT_EQ(Cleaner::clean({}, true), CleanReport{});
    EXPECT_FALSE(isPresent(trashFiles));
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

// What went of an item that failed midway, after it was checked whole (here another user takes a
// folder of it over at that moment), is space given back all the same.
TEST_F(CleanerTest, AnItemThatFailsMidwayCountsWhatWent)
{
    const auto item = home / "items/partly";
    const auto gone = homeFile("items/partly/gone", std::string(8000, 'x'));
    homeFile("items/partly/late/kept");
    const std::int64_t goneBytes = allocatedSizeOf(gone);
    const auto late = item / "late";
    platform::setRemovalHookForTesting([&](int, const char* name) {
        if (std::string_view(name) == "late" && ::chmod(late.c_str(), 0555) == 0)
            (void)::chown(late.c_str(), 65534, 65534);
    });
    const auto report = Cleaner::clean({itemAt(item, 100'000)}, true);
    platform::setRemovalHookForTesting({});
    ASSERT_EQ(::chown(late.c_str(), ::geteuid(), ::getegid()), 0);
    EXPECT_THAT(report.failedURLs, ElementsAre(item));
    EXPECT_EQ(report.freedBytes, goneBytes);
    EXPECT_FALSE(isPresent(gone));
    EXPECT_TRUE(fs::exists(late / "kept"));
}

// Neither moving nor deleting a folder may carry off, or fail for ever on, a file system mounted
// inside it: the item goes around it, and no mount point ever lands in the Trash.
TEST_F(CleanerTest, AnItemHoldingAMountPointGoesAroundIt)
{
    const auto item = home / "items/holder";
    for (bool permanently : {false, true}) {
        emptiedTrash();
        const auto a = homeFile("items/holder/a", std::string(5000, 'a'));
        const auto b = homeFile("items/holder/sub/b", std::string(5000, 'b'));
        fs::create_directories(item / "sub/mount");
        const std::int64_t removable = allocatedSizeOf(a) + allocatedSizeOf(b);
        ScopedMount mount = ScopedMount::tmpfs(item / "sub/mount");
        if (!mount.ok())
            GTEST_SKIP() << mount.why();
        writeFile(item / "sub/mount/elsewhere", "x");

        const auto report = Cleaner::clean({itemAt(item, 777)}, permanently);
        EXPECT_THAT(report.removedURLs, ElementsAre(item)) << permanently;
        EXPECT_EQ(report.freedBytes, permanently ? removable : 777) << permanently;
        EXPECT_FALSE(isPresent(a)) << permanently;
        EXPECT_FALSE(isPresent(b)) << permanently;
        EXPECT_TRUE(fs::exists(item / "sub/mount/elsewhere")) << permanently;
        EXPECT_TRUE(platform::mountPointsBelow(trashFiles.parent_path()).empty()) << permanently;
        EXPECT_EQ(fs::exists(trashFiles / "b"), !permanently);
        // Each piece is recorded, so that an undo puts the item back whole.
        std::vector<fs::path> pieces;
        for (const auto& entry : report.trashEntries.at(0))
            pieces.push_back(entry.originalPath);
        EXPECT_THAT(pieces, ::testing::UnorderedElementsAreArray(permanently ? std::vector<fs::path>{}
                                                                             : std::vector<fs::path>{a, b}));
    }
}

// No caller gets past the keep list: a kept item, one inside a kept folder or matching a pattern,
// and a folder that holds something kept stay and say why; a kept extra location stays while its
// item goes.
TEST_F(CleanerTest, WhatIsKeptStaysWhoeverAsks)
{
    const platform::PathPatterns kept({"~/keep/kept", "~/keep/Projects/*/build", "~/keep/holder/precious", "~/keep/extra"},
                                      home);
    for (bool permanently : {false, true}) {
        const auto folder = [&](const std::string& relative) { return homeFile("keep/" + relative + "/data").parent_path(); };
        const std::vector<fs::path> staying{folder("kept"), folder("kept/inner"), folder("Projects/app/build"),
                                            folder("holder")};
        homeFile("keep/holder/precious/data");
        const auto item = folder("item");
        const auto otherExtra = folder("other-extra");
        std::vector<ScanItem> items;
        for (const auto& path : staying)
            items.push_back(itemAt(path, 1));
        items.push_back(itemAt(item, 1, {folder("extra"), otherExtra}));

        const auto report = Cleaner::clean(items, permanently, {}, kept);
        EXPECT_THAT(report.removedURLs, ElementsAre(item));
        EXPECT_EQ(report.failedURLs, staying);
        EXPECT_THAT(report.failureReasons, ElementsAre("kept: never cleaned", "kept: never cleaned",
                                                       "kept: never cleaned", "holds a kept item: never cleaned"));
        for (const auto& path : staying)
            EXPECT_TRUE(fs::exists(path / "data")) << path;
        EXPECT_TRUE(fs::exists(home / "keep/extra/data"));
        EXPECT_FALSE(isPresent(otherExtra));
        fs::remove_all(home / "keep");
    }
}

TEST_F(CleanerTest, AnItemThatChangedSinceTheScanStaysAndSaysWhy)
{
    for (bool permanently : {false, true}) {
        const auto grown = homeFile("changed/grown", "scanned");
        const auto replaced = homeFile("changed/replaced", "scanned");
        const auto folder = homeFile("changed/folder/inside").parent_path();
        const auto same = homeFile("changed/same", "scanned");
        const auto missing = homeFile("changed/missing");
        const std::vector<ScanItem> items{scanned(grown), scanned(replaced), scanned(folder), scanned(same),
                                          scanned(missing)};
        std::ofstream(grown, std::ios::app) << " and more";
        fs::rename(homeFile("changed/new", "scanned"), replaced);
        // What a folder holds changes by nature: only its identity counts.
        homeFile("changed/folder/added");
        fs::remove(missing);

        const auto report = Cleaner::clean(items, permanently);
        EXPECT_THAT(report.removedURLs, ElementsAre(folder, same));
        EXPECT_THAT(report.failedURLs, ElementsAre(grown, replaced, missing));
        EXPECT_THAT(report.failureReasons,
                    ElementsAre("changed since the scan", "changed since the scan", "No such file or directory"));
        EXPECT_EQ(readFile(grown), "scanned and more");
        EXPECT_TRUE(fs::exists(replaced));
        fs::remove_all(home / "changed");
    }
}

TEST_F(CleanerTest, ADuplicateGoesOnlyWhileItStillEqualsTheCopyThatStays)
{
    std::string bytes(300'000, 'd');
    bytes[200'000] = 'x';
    const auto original = homeFile("dups/original", bytes);
    const auto copy = homeFile("dups/copy", bytes);
    const ScanItem duplicate = scanned(copy, original);

    bytes[299'999] = 'y';
    writeFile(original, bytes);
    EXPECT_THAT(Cleaner::clean({duplicate}, true).failureReasons, ElementsAre("changed since the scan"));
    fs::remove(original);
    EXPECT_THAT(Cleaner::clean({duplicate}, true).failureReasons, ElementsAre("changed since the scan"));
    EXPECT_TRUE(fs::exists(copy));
    fs::copy_file(copy, original);
    EXPECT_THAT(Cleaner::clean({duplicate}, false).removedURLs, ElementsAre(copy));

    // Compared past their holes: zeros written out equal a hole, anything else does not.
    constexpr std::int64_t length = std::int64_t{1} << 30;
    const std::string data(5'000, 'a');
    const std::string zeros(70'000, '\0');
    const auto sparse = writeSparseFile(home / "dups/sparse", length, {{4096, data}, {length - 10, "end"}});
    const auto zerosWritten =
        writeSparseFile(home / "dups/zeros", length, {{4096, data}, {600'000'000, zeros}, {length - 10, "end"}});
    const auto differs =
        writeSparseFile(home / "dups/differs", length, {{4096, data}, {600'000'000, "z"}, {length - 10, "end"}});
    const auto report = Cleaner::clean({scanned(zerosWritten, sparse), scanned(differs, sparse)}, true);
    EXPECT_THAT(report.removedURLs, ElementsAre(zerosWritten));
    EXPECT_THAT(report.failedURLs, ElementsAre(differs));
}

// A Flatpak application's folder belongs to its installation: only Flatpak may take it away. One
// no installation knows, or that is no longer what the scan saw, fails with all its files left.
TEST_F(CleanerTest, AFlatpakItemIsNeverRemovedAsFiles)
{
    const auto app = homeFile("installation/app/org.example.App/current/active/files/bin/app").parent_path();
    const auto folder = home / "installation/app/org.example.App";
    const auto data = homeFile(".var/app/org.example.App/data");
    ScanItem unknown = scanned(folder);
    unknown.extraURLs = {data};
    ScanItem changed = scanned(homeFile("elsewhere"));
    changed.url = folder;
    for (ScanItem* item : {&unknown, &changed})
        item->removal = ScanItem::Removal::flatpakUninstall;
    for (bool permanently : {false, true}) {
        const auto report = Cleaner::clean({unknown, changed}, permanently);
        EXPECT_THAT(report.failedURLs, ElementsAre(folder, folder));
        EXPECT_THAT(report.failureReasons, ElementsAre("No such file or directory", "changed since the scan"));
        EXPECT_TRUE(fs::exists(app / "app"));
        EXPECT_TRUE(fs::exists(data));
    }
    for (const char* made : {"installation", ".var", "elsewhere"})
        fs::remove_all(home / made);
}
