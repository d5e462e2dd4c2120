// One whole scan, tick and clean cycle with the real scanners, cleaner and Trash, in a home of the
// test program's own.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "store/CleanerStore.h"
#include "scan/DiskScanner.h"
#include "scan/SystemAnswers.h"
#include "scan/apps/InstalledApps.h"
#include "support/EventLoop.h"
#include "support/IsolatedHome.h"
#include "support/TempTree.h"
#include "support/TreeSnapshot.h"

using ::testing::UnorderedElementsAre;

namespace {

std::vector<std::string> names(const std::vector<ScanItem>& items)
{
    std::vector<std::string> result;
    for (const ScanItem& item : items)
        result.push_back(item.url.filename().string());
    return result;
}

class StoreCycleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        home = isolatedHome();
        trashFiles = emptiedTrash();
        DiskScanner::setHomeForTesting(home);
        DiskScanner::setApplicationFoldersForTesting(apps.folder("Applications"), apps.folder("System"));
        DiskScanner::setRunningApplicationsForTesting({});
        // Emptying the Trash must not reach the trashes of the machine's other drives.
        DiskScanner::setMountedFileSystemsForTesting({});
    }

    void TearDown() override
    {
        DiskScanner::resetSystemAnswersForTesting();
        DiskScanner::resetRunningApplicationsForTesting();
        std::filesystem::remove_all(home / "Library");
    }

    void write(const std::string& relative, std::size_t size) const { writeFile(home / relative, std::string(size, 'q')); }

    std::filesystem::path home;
    std::filesystem::path trashFiles;
    TempTree apps;
};

} // namespace

TEST_F(StoreCycleTest, ScanTickCleanThenEmptyTheTrash)
{
    write("Library/Caches/com.example.editor/blob", 50'000);
    write("Library/Caches/com.apple.Safari/cache.db", 20'000);
    write("Library/Logs/tool.log", 8'000);
    CleanerStore store(StoreServices::live());

    store.scan(Module::systemJunk);
    ASSERT_TRUE(runEventsUntil([&] { return store.phase(Module::systemJunk) == ScanPhase::ready(); }));
    const CategoryResult* found = store.result(Module::systemJunk);
    ASSERT_NE(found, nullptr);
    EXPECT_THAT(names(found->items), UnorderedElementsAre("com.example.editor", "com.apple.Safari", "tool.log"));
    // Apple's own cache is shown but not ticked.
    EXPECT_THAT(names(store.selectedItems(Module::systemJunk)), UnorderedElementsAre("com.example.editor", "tool.log"));
    const std::int64_t ticked = store.selectedItems(Module::systemJunk)[0].size + store.selectedItems(Module::systemJunk)[1].size;

    store.clean(Module::systemJunk);
    ASSERT_TRUE(runEventsUntil([&] { return store.phase(Module::systemJunk).kind() == ScanPhase::Kind::cleaned; }));
    EXPECT_EQ(store.phase(Module::systemJunk), ScanPhase::cleaned({ticked, 2, 0, true}));
    EXPECT_THAT(names(store.result(Module::systemJunk)->items), UnorderedElementsAre("com.apple.Safari"));
    EXPECT_FALSE(std::filesystem::exists(home / "Library/Caches/com.example.editor"));
    EXPECT_TRUE(std::filesystem::exists(trashFiles / "com.example.editor/blob"));
    EXPECT_TRUE(std::filesystem::exists(trashFiles / "tool.log"));

    store.scan(Module::trash);
    ASSERT_TRUE(runEventsUntil([&] { return store.phase(Module::trash) == ScanPhase::ready(); }));
    EXPECT_THAT(names(store.selectedItems(Module::trash)), UnorderedElementsAre("com.example.editor", "tool.log"));
    store.clean(Module::trash);
    ASSERT_TRUE(runEventsUntil([&] { return store.phase(Module::trash).kind() == ScanPhase::Kind::cleaned; }));
    EXPECT_EQ(store.phase(Module::trash).summary()->itemCount, 2);
    EXPECT_FALSE(store.phase(Module::trash).summary()->movedToTrash);
    EXPECT_TRUE(std::filesystem::is_empty(trashFiles));
    EXPECT_TRUE(std::filesystem::is_empty(trashFiles.parent_path() / "info"));
}

// What a clean moved to the Trash comes back byte for byte, and into its result, through the
// real Trash and the record a later run would read.
TEST_F(StoreCycleTest, UndoPutsACleanedTreeBackByteForByte)
{
    const auto cache = home / "Library/Caches/com.example.editor";
    makeAwkwardTree(cache);
    const auto before = snapshotOf(cache);
    CleanerStore store(StoreServices::live());
    store.scan(Module::systemJunk);
    ASSERT_TRUE(runEventsUntil([&] { return store.phase(Module::systemJunk) == ScanPhase::ready(); }));
    store.clean(Module::systemJunk);
    ASSERT_TRUE(runEventsUntil([&] { return store.phase(Module::systemJunk).kind() == ScanPhase::Kind::cleaned; }));
    ASSERT_FALSE(isPresent(cache));
    ASSERT_TRUE(store.canUndo());

    std::optional<UndoReport> report;
    QObject::connect(&store, &CleanerStore::undoFinished, [&](const UndoReport& r) { report = r; });
    store.undoLastClean();
    ASSERT_TRUE(runEventsUntil([&] { return report.has_value(); }));
    EXPECT_EQ(report->restoredCount(), report->entries.size());
    EXPECT_EQ(snapshotOf(cache), before);
    EXPECT_THAT(names(store.result(Module::systemJunk)->items), ::testing::Contains("com.example.editor"));
    EXPECT_TRUE(std::filesystem::is_empty(trashFiles));
    EXPECT_FALSE(store.canUndo());
}
