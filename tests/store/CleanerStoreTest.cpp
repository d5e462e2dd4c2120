#include <chrono>
#include <thread>

#include <QCoreApplication>
#include <QSignalSpy>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "store/CleanerStore.h"
#include "store/FakeServices.h"
#include "support/EventLoop.h"
#include "support/FakeAppBundle.h"
#include "support/FixtureHome.h"

using namespace std::chrono_literals;
using ::testing::ElementsAre;

namespace {

ScanItem item(const std::string& path, std::int64_t size, bool recommended = true,
              std::optional<std::string> bundleID = std::nullopt)
{
    ScanItem made;
    made.url = path;
    made.name = std::filesystem::path(path).filename().string();
    made.size = size;
    made.isRecommended = recommended;
    made.bundleID = std::move(bundleID);
    return made;
}

std::vector<std::string> urls(const std::vector<ScanItem>& items)
{
    std::vector<std::string> result;
    for (const ScanItem& i : items)
        result.push_back(i.url.string());
    return result;
}

class CleanerStoreTest : public ::testing::Test {
protected:
    void SetUp() override { coreApplication(); }

    std::unique_ptr<CleanerStore> makeStore() { return std::make_unique<CleanerStore>(system.services()); }

    // Scans `module` with every target returning at once, and waits for it to be ready.
    void scanToReady(CleanerStore& store, Module module)
    {
        store.scan(module);
        ASSERT_TRUE(runEventsUntil([&] { return store.phase(module) == ScanPhase::ready(); }));
    }

    FakeSystem system;
};

} // namespace

TEST_F(CleanerStoreTest, ALeafScanReportsThenFinishesWithItsRecommendationsTicked)
{
    system.scanner.hold(Module::systemJunk);
    system.scanner.setResult(Module::systemJunk, {{item("/c/a", 300), item("/c/b", 200, false)}, false});
    system.options = ScanOptions{123, 4};
    auto store = makeStore();
    store->scan(Module::systemJunk);
    EXPECT_EQ(store->phase(Module::systemJunk), ScanPhase::scanning());

    system.scanner.report(Module::systemJunk, {100, "~/c/a", 0.5});
    ASSERT_TRUE(runEventsUntil([&] { return store->progress(Module::systemJunk) == 0.5; }));
    EXPECT_EQ(store->liveFound(Module::systemJunk), 100);
    EXPECT_EQ(store->currentPath(), "~/c/a");
    // An empty path leaves the shown path alone.
    system.scanner.report(Module::systemJunk, {150, "", 0.75});
    ASSERT_TRUE(runEventsUntil([&] { return store->progress(Module::systemJunk) == 0.75; }));
    EXPECT_EQ(store->currentPath(), "~/c/a");
    EXPECT_EQ(store->foundBytes(Module::systemJunk), 150);

    const int checksBefore = system.lowSpaceChecks;
    system.scanner.finish(Module::systemJunk);
    ASSERT_TRUE(runEventsUntil([&] { return store->phase(Module::systemJunk) == ScanPhase::ready(); }));
    ASSERT_NE(store->result(Module::systemJunk), nullptr);
    EXPECT_EQ(store->result(Module::systemJunk)->items.size(), 2u);
    EXPECT_EQ(store->progress(Module::systemJunk), 1.0);
    EXPECT_EQ(store->liveFound(Module::systemJunk), 500);
    EXPECT_EQ(store->selection(), Selection{"/c/a"});
    EXPECT_GT(system.lowSpaceChecks, checksBefore);
    EXPECT_FALSE(store->isScanning(Module::systemJunk));
    EXPECT_THAT(system.scanner.optionsSeen(), ElementsAre(ScanOptions{123, 4}));
}

TEST_F(CleanerStoreTest, ARescanDropsTheOldTicksAndKeepsOtherModules)
{
    system.scanner.setResult(Module::systemJunk, {{item("/old/a", 10), item("/old/b", 5, false)}, false});
    system.scanner.setResult(Module::largeFiles, {{item("/big", 10, false)}, false});
    auto store = makeStore();
    scanToReady(*store, Module::systemJunk);
    scanToReady(*store, Module::largeFiles);
    store->toggle(store->result(Module::systemJunk)->items[1]);
    store->toggle(store->result(Module::largeFiles)->items[0]);
    EXPECT_EQ(store->selection().size(), 3u);

    system.scanner.setResult(Module::systemJunk, {{item("/new/c", 10)}, false});
    system.scanner.hold(Module::systemJunk);
    QSignalSpy resultChanges(store.get(), &CleanerStore::resultChanged);
    store->scan(Module::systemJunk);
    // The old result is gone, signalled, and unticked as soon as the rescan starts.
    EXPECT_EQ(store->result(Module::systemJunk), nullptr);
    EXPECT_EQ(resultChanges.count(), 1);
    EXPECT_EQ(store->selection(), Selection{"/big"});

    system.scanner.finish(Module::systemJunk);
    ASSERT_TRUE(runEventsUntil([&] { return store->phase(Module::systemJunk) == ScanPhase::ready(); }));
    EXPECT_EQ(store->selection(), (Selection{"/new/c", "/big"}));
}

TEST_F(CleanerStoreTest, RestartingARunningScanCancelsTheEarlierOne)
{
    system.scanner.hold(Module::systemJunk);
    auto store = makeStore();
    store->scan(Module::systemJunk);
    ASSERT_TRUE(runEventsUntil([&] { return system.scanner.running(Module::systemJunk) == 1; }));
    store->scan(Module::systemJunk);
    ASSERT_TRUE(runEventsUntil([&] { return system.scanner.cancelled(Module::systemJunk) == 1; }));
    ASSERT_TRUE(runEventsUntil([&] { return system.scanner.running(Module::systemJunk) == 1; }));
    system.scanner.setResult(Module::systemJunk, {{item("/second", 7)}, false});
    system.scanner.finish(Module::systemJunk);
    ASSERT_TRUE(runEventsUntil([&] { return store->phase(Module::systemJunk) == ScanPhase::ready(); }));
    EXPECT_THAT(urls(store->result(Module::systemJunk)->items), ElementsAre("/second"));
}

TEST_F(CleanerStoreTest, TheSmartScanRunsItsTargetsSideBySideAndTakesOverOverlaps)
{
    system.scanner.hold(Module::smartScan);
    system.scanner.hold(Module::largeFiles);
    auto store = makeStore();
    store->scan(Module::systemJunk);
    store->scan(Module::largeFiles);
    ASSERT_TRUE(runEventsUntil([&] { return system.scanner.running(Module::systemJunk) == 1; }));

    store->scan(Module::smartScan);
    // The overlapping systemJunk scan went; largeFiles shares nothing and goes on.
    ASSERT_TRUE(runEventsUntil([&] { return system.scanner.cancelled(Module::systemJunk) == 1; }));
    ASSERT_TRUE(runEventsUntil([&] {
        return system.scanner.running(Module::systemJunk) == 1 && system.scanner.running(Module::developerJunk) == 1 &&
               system.scanner.running(Module::trash) == 1;
    }));
    EXPECT_TRUE(store->isScanning(Module::largeFiles));
    EXPECT_FALSE(store->isScanning(Module::systemJunk));
    for (Module module : {Module::smartScan, Module::systemJunk, Module::developerJunk, Module::trash, Module::largeFiles})
        EXPECT_EQ(store->phase(module), ScanPhase::scanning()) << module.rawValue();

    // Targets become ready one by one; the smart scan after the last.
    system.scanner.setResult(Module::trash, {{item("/t/1", 50)}, false});
    system.scanner.finish(Module::trash);
    ASSERT_TRUE(runEventsUntil([&] { return store->phase(Module::trash) == ScanPhase::ready(); }));
    EXPECT_EQ(store->phase(Module::smartScan), ScanPhase::scanning());
    system.scanner.report(Module::systemJunk, {30, "~/x", 0.5});
    ASSERT_TRUE(runEventsUntil([&] { return store->liveFound(Module::systemJunk) == 30; }));
    EXPECT_EQ(store->foundBytes(Module::smartScan), 80);
    system.scanner.finish(Module::systemJunk);
    system.scanner.finish(Module::developerJunk);
    ASSERT_TRUE(runEventsUntil([&] { return store->phase(Module::smartScan) == ScanPhase::ready(); }));
    EXPECT_EQ(store->result(Module::smartScan), nullptr); // it has no result of its own
    system.scanner.finish(Module::largeFiles);
}

TEST_F(CleanerStoreTest, ALeafScanStartedDuringTheSmartScanResetsTheOtherTargets)
{
    system.scanner.hold(Module::smartScan);
    auto store = makeStore();
    store->scan(Module::smartScan);
    ASSERT_TRUE(runEventsUntil([&] { return system.scanner.running(Module::trash) == 1; }));
    store->scan(Module::systemJunk);
    EXPECT_EQ(store->phase(Module::smartScan), ScanPhase::idle());
    EXPECT_EQ(store->phase(Module::systemJunk), ScanPhase::scanning());
    // Nothing runs for them any more, so they must not show "scanning".
    EXPECT_EQ(store->phase(Module::developerJunk), ScanPhase::idle());
    EXPECT_EQ(store->phase(Module::trash), ScanPhase::idle());
    ASSERT_TRUE(runEventsUntil([&] { return system.scanner.cancelled(Module::trash) == 1; }));
    system.scanner.finish(Module::systemJunk);
    ASSERT_TRUE(runEventsUntil([&] { return store->phase(Module::systemJunk) == ScanPhase::ready(); }));
    EXPECT_EQ(store->phase(Module::smartScan), ScanPhase::idle());
}

TEST_F(CleanerStoreTest, CancellingTheSmartScanKeepsFinishedTargets)
{
    system.scanner.hold(Module::smartScan);
    system.scanner.setResult(Module::trash, {{item("/t/1", 50)}, false});
    auto store = makeStore();
    store->scan(Module::smartScan);
    system.scanner.report(Module::systemJunk, {10, "~/s", 0.3});
    ASSERT_TRUE(runEventsUntil([&] { return store->liveFound(Module::systemJunk) == 10; }));
    system.scanner.finish(Module::trash);
    ASSERT_TRUE(runEventsUntil([&] { return store->phase(Module::trash) == ScanPhase::ready(); }));

    store->cancelScan(Module::smartScan);
    EXPECT_EQ(store->phase(Module::smartScan), ScanPhase::idle());
    EXPECT_EQ(store->phase(Module::trash), ScanPhase::ready());
    EXPECT_NE(store->result(Module::trash), nullptr);
    for (Module reset : {Module::systemJunk, Module::developerJunk}) {
        EXPECT_EQ(store->phase(reset), ScanPhase::idle());
        EXPECT_EQ(store->result(reset), nullptr);
        EXPECT_EQ(store->progress(reset), 0.0);
        EXPECT_EQ(store->liveFound(reset), 0);
    }
    ASSERT_TRUE(runEventsUntil([&] { return system.scanner.cancelled(Module::systemJunk) == 1; }));
    // A result that a cancelled routine delivers anyway is never stored.
    settle();
    EXPECT_EQ(store->result(Module::systemJunk), nullptr);
}

TEST_F(CleanerStoreTest, DestroyingTheStoreWhileScansWaitNeverHangs)
{
    system.scanner.hold(Module::smartScan);
    system.scanner.hold(Module::duplicates);
    auto store = makeStore();
    store->scan(Module::smartScan);
    store->scan(Module::duplicates);
    ASSERT_TRUE(runEventsUntil([&] { return system.scanner.running(Module::duplicates) == 1; }));
    // A report the GUI thread never gets to apply: the routine waits inside the sink.
    system.scanner.report(Module::duplicates, {1, "~/waiting", 0.1});
    system.scanner.report(Module::trash, {1, "~/waiting", 0.1});
    std::this_thread::sleep_for(50ms);
    const auto start = std::chrono::steady_clock::now();
    store.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
    EXPECT_EQ(system.scanner.running(Module::duplicates), 0);
    EXPECT_EQ(system.scanner.running(Module::trash), 0);
    // Whatever the drivers posted before dying is dropped with the store.
    settle();
}

TEST_F(CleanerStoreTest, TicksSelectedItemsAndTotals)
{
    system.scanner.setResult(Module::systemJunk, {{item("/s/1", 10), item("/s/2", 20, false)}, false});
    system.scanner.setResult(Module::developerJunk, {{item("/d/1", 30)}, false});
    system.scanner.setResult(Module::trash, {{item("/t/1", 40)}, false});
    system.scanner.setResult(Module::iosBackups, {{item("/b/1", 99, false)}, true});
    auto store = makeStore();
    scanToReady(*store, Module::smartScan);
    scanToReady(*store, Module::iosBackups);
    EXPECT_THAT(urls(store->selectedItems(Module::smartScan)), ElementsAre("/s/1", "/d/1", "/t/1"));
    store->toggle(store->result(Module::systemJunk)->items[1]);
    store->setSelected(false, store->result(Module::developerJunk)->items);
    EXPECT_THAT(urls(store->selectedItems(Module::smartScan)), ElementsAre("/s/1", "/s/2", "/t/1"));
    EXPECT_EQ(store->foundBytes(Module::smartScan), 100);
    EXPECT_EQ(store->scannedBytes(Module::systemJunk), 30);
    EXPECT_EQ(store->scannedBytes(Module::largeFiles), std::nullopt);
    // Refused access: the items do not count as a scanned total.
    EXPECT_EQ(store->scannedBytes(Module::iosBackups), std::nullopt);
}

TEST_F(CleanerStoreTest, ALeafCleanMovesToTheTrashShrinksTheResultAndRescansTheTrash)
{
    system.scanner.setResult(Module::systemJunk,
                             {{item("/s/a", 100), item("/s/b", 50), item("/s/c", 25, false), item("/s/fails", 5)}, false});
    system.scanner.setResult(Module::trash, {{item("/t/old", 1)}, false});
    system.cleaner.failOn("/s/fails");
    auto store = makeStore();
    scanToReady(*store, Module::trash);
    scanToReady(*store, Module::systemJunk);
    const int trashScans = system.scanner.calls(Module::trash);

    store->clean(Module::systemJunk);
    EXPECT_EQ(store->phase(Module::systemJunk), ScanPhase::cleaning());
    // A double click, or the smart scan's clean of the same items, while the first one runs.
    store->clean(Module::systemJunk);
    store->clean(Module::smartScan);
    ASSERT_TRUE(runEventsUntil([&] { return store->phase(Module::systemJunk).kind() == ScanPhase::Kind::cleaned; }));
    EXPECT_EQ(store->phase(Module::systemJunk), ScanPhase::cleaned({150, 2, 1, true}));
    EXPECT_EQ(store->phase(Module::smartScan), ScanPhase::idle());
    ASSERT_EQ(system.cleaner.calls().size(), 1u);
    EXPECT_FALSE(system.cleaner.calls()[0].permanently);
    EXPECT_THAT(urls(store->result(Module::systemJunk)->items), ElementsAre("/s/c", "/s/fails"));
    EXPECT_EQ(store->foundBytes(Module::systemJunk), 30);
    // The Trash module rescans to show what just arrived there, and ticks its items again.
    ASSERT_TRUE(runEventsUntil([&] { return system.scanner.calls(Module::trash) == trashScans + 1; }));
    ASSERT_TRUE(runEventsUntil([&] { return store->phase(Module::trash) == ScanPhase::ready(); }));
    EXPECT_EQ(store->selection(), (Selection{"/s/fails", "/t/old"}));

    store->dismissSummary(Module::systemJunk);
    EXPECT_EQ(store->phase(Module::systemJunk), ScanPhase::ready());
}

TEST_F(CleanerStoreTest, ASmartCleanGoesTargetByTargetAndLeavesRunningAppsAlone)
{
    system.scanner.setResult(Module::systemJunk, {{item("/s/free", 10), item("/s/busy", 20, true, "com.busy.app")}, false});
    system.scanner.setResult(Module::developerJunk, {{item("/d/1", 30)}, false});
    system.scanner.setResult(Module::trash, {{item("/t/1", 40)}, false});
    system.runningBundleIDs = {"com.busy.app"};
    auto store = makeStore();
    scanToReady(*store, Module::smartScan);
    store->clean(Module::smartScan);
    // The setting is read once, when the clean starts.
    system.deleteImmediately = true;
    ASSERT_TRUE(runEventsUntil([&] { return store->phase(Module::smartScan).kind() == ScanPhase::Kind::cleaned; }));
    EXPECT_EQ(store->phase(Module::smartScan), ScanPhase::cleaned({80, 3, 1, true}));
    const auto calls = system.cleaner.calls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_THAT(urls(calls[0].items), ElementsAre("/s/free"));
    EXPECT_FALSE(calls[0].permanently);
    EXPECT_FALSE(calls[1].permanently);
    EXPECT_TRUE(calls[2].permanently);
    EXPECT_FALSE(system.cleaner.overlapped());
    EXPECT_EQ(system.deleteImmediatelyReads, 1);
    // The running app's item stays, ticked; the leaves stay ready.
    EXPECT_THAT(urls(store->result(Module::systemJunk)->items), ElementsAre("/s/busy"));
    EXPECT_EQ(store->selection(), Selection{"/s/busy"});
    EXPECT_EQ(store->phase(Module::systemJunk), ScanPhase::ready());
    // Items went to the Trash while it had a result: it is scanned again.
    ASSERT_TRUE(runEventsUntil([&] { return store->phase(Module::trash) == ScanPhase::ready(); }));
    EXPECT_EQ(system.scanner.calls(Module::trash), 2);

    store->dismissSummary(Module::smartScan);
    EXPECT_EQ(store->phase(Module::smartScan), ScanPhase::idle());
}

// A stop leaves every target not reached as it was: nothing removed, nothing counted as failed
// (not even a running app's item), everything still ticked.
TEST_F(CleanerStoreTest, AStoppedCleanLeavesWhatItDidNotReachTickedAndUncounted)
{
    system.scanner.setResult(Module::systemJunk, {{item("/s/1", 10), item("/s/busy", 20, true, "com.busy.app")}, false});
    system.scanner.setResult(Module::developerJunk, {{item("/d/1", 30)}, false});
    system.scanner.setResult(Module::trash, {{item("/t/1", 40)}, false});
    system.runningBundleIDs = {"com.busy.app"};
    auto store = makeStore();
    scanToReady(*store, Module::smartScan);
    store->clean(Module::smartScan);
    store->stopCleaning(Module::smartScan);
    ASSERT_TRUE(runEventsUntil([&] { return store->phase(Module::smartScan).kind() == ScanPhase::Kind::cleaned; }));
    EXPECT_EQ(store->phase(Module::smartScan), ScanPhase::cleaned({0, 0, 0, false}));
    EXPECT_TRUE(system.cleaner.calls().empty());
    EXPECT_EQ(store->selection(), (Selection{"/s/1", "/s/busy", "/d/1", "/t/1"}));
    EXPECT_EQ(store->result(Module::trash)->items.size(), 1u);
}

TEST_F(CleanerStoreTest, SupportFilesOfAnAppThatStaysInstalledAreNotHandedToTheCleaner)
{
    const FixtureHome home;
    const auto editor = makeAppBundle(home.path("Applications/Editor.app"), "com.vendor.editor");
    ScanItem app = item(editor.string(), 500, false, "com.vendor.editor");
    app.extraURLs = {home.path("Library/Application Support/com.vendor.editor"), home.path("Library/Caches/Editor")};
    system.scanner.setResult(Module::uninstaller, {{app}, false});
    auto store = makeStore();
    scanToReady(*store, Module::uninstaller);
    // A second copy installed since the scan still uses them.
    const auto copy = makeAppBundle(home.path("Applications/Old/Editor 1.0.app"), "com.vendor.editor");
    store->toggle(app);
    store->clean(Module::uninstaller);
    ASSERT_TRUE(runEventsUntil([&] { return store->phase(Module::uninstaller).kind() == ScanPhase::Kind::cleaned; }));
    ASSERT_EQ(system.cleaner.calls().size(), 1u);
    EXPECT_THAT(system.cleaner.calls()[0].items[0].extraURLs, ::testing::IsEmpty());

    // Both copies going together take the files with them.
    ScanItem other = item(copy.string(), 400, false, "com.vendor.editor");
    system.scanner.setResult(Module::uninstaller, {{app, other}, false});
    scanToReady(*store, Module::uninstaller);
    store->setSelected(true, {app, other});
    store->clean(Module::uninstaller);
    ASSERT_TRUE(runEventsUntil([&] { return system.cleaner.calls().size() == 2; }));
    EXPECT_EQ(system.cleaner.calls()[1].items[0].extraURLs, app.extraURLs);
}

TEST_F(CleanerStoreTest, NoTrashRescanWhenOnlyTheTrashWasCleanedOrAScanRuns)
{
    system.scanner.setResult(Module::systemJunk, {{item("/s/1", 10, false)}, false});
    system.scanner.setResult(Module::developerJunk, {{}, false});
    system.scanner.setResult(Module::trash, {{item("/t/1", 40)}, false});
    auto store = makeStore();
    scanToReady(*store, Module::smartScan);
    store->clean(Module::smartScan);
    ASSERT_TRUE(runEventsUntil([&] { return store->phase(Module::smartScan).kind() == ScanPhase::Kind::cleaned; }));
    EXPECT_EQ(store->phase(Module::smartScan), ScanPhase::cleaned({40, 1, 0, false}));
    EXPECT_EQ(system.scanner.calls(Module::trash), 1);

    // Items went to the Trash, but a scan is running somewhere: no rescan.
    system.scanner.setResult(Module::downloads, {{item("/dl/a", 5)}, false});
    system.scanner.hold(Module::largeFiles);
    scanToReady(*store, Module::downloads);
    store->scan(Module::largeFiles);
    store->clean(Module::downloads);
    ASSERT_TRUE(runEventsUntil([&] { return store->phase(Module::downloads).kind() == ScanPhase::Kind::cleaned; }));
    EXPECT_TRUE(store->phase(Module::downloads).summary()->movedToTrash);
    settle();
    EXPECT_EQ(system.scanner.calls(Module::trash), 1);
    system.scanner.finish(Module::largeFiles);
}

// "Never clean this": what the entry covers leaves every result at once with its tick, and comes
// back where it stood when the same entry is taken off again.
TEST_F(CleanerStoreTest, KeepingAPathTakesItOutOfEveryResultUntilItIsUnkept)
{
    system.scanner.setResult(Module::systemJunk, {{item("/h/cache/a", 30), item("/h/cache/b", 20)}, false});
    system.scanner.setResult(Module::largeFiles, {{item("/h/cache/a/big.bin", 50, false), item("/h/other", 40, false)}, false});
    auto store = makeStore();
    scanToReady(*store, Module::systemJunk);
    scanToReady(*store, Module::largeFiles);
    QSignalSpy keptChanges(store.get(), &CleanerStore::keptPathsChanged);

    const std::string entry = store->keepPath("/h/cache/a");
    EXPECT_EQ(system.kept, std::vector<std::string>{"/h/cache/a"});
    EXPECT_EQ(store->keptPaths(), system.kept);
    EXPECT_THAT(urls(store->result(Module::systemJunk)->items), ElementsAre("/h/cache/b"));
    EXPECT_THAT(urls(store->result(Module::largeFiles)->items), ElementsAre("/h/other"));
    EXPECT_EQ(store->selection(), (Selection{"/h/cache/b"}));
    store->keepPath("/h/cache/a");
    EXPECT_EQ(keptChanges.count(), 1);

    store->unkeep(entry);
    EXPECT_TRUE(system.kept.empty());
    EXPECT_THAT(urls(store->result(Module::systemJunk)->items), ElementsAre("/h/cache/a", "/h/cache/b"));
    EXPECT_THAT(urls(store->result(Module::largeFiles)->items), ElementsAre("/h/cache/a/big.bin", "/h/other"));
    EXPECT_EQ(keptChanges.count(), 2);

    // An item's own path is kept as it is, whatever characters its name holds.
    EXPECT_EQ(store->keepPath("/h/odd[1]*"), "/h/odd\\[1]\\*");
}

// Undo puts back what the last clean moved to the Trash, where it stood in its result; what
// cannot go back yet stays recorded for the next undo, what left the Trash is forgotten.
TEST_F(CleanerStoreTest, AnUndoPutsBackWhatItCanAndKeepsWhatMayStillGoBack)
{
    system.scanner.setResult(Module::systemJunk, {{item("/s/a", 30), item("/s/b", 20), item("/s/c", 10)}, false});
    auto store = makeStore();
    scanToReady(*store, Module::systemJunk);
    QSignalSpy undoChanges(store.get(), &CleanerStore::undoChanged);
    store->clean(Module::systemJunk);
    ASSERT_TRUE(runEventsUntil([&] { return store->phase(Module::systemJunk).kind() == ScanPhase::Kind::cleaned; }));
    EXPECT_TRUE(store->canUndo());
    EXPECT_GE(undoChanges.count(), 1);
    // Offered by the cleaned state of the module that cleaned, not by another's.
    EXPECT_TRUE(store->canUndo(Module::systemJunk));
    EXPECT_FALSE(store->canUndo(Module::smartScan));

    system.restoreFailures = {{"/s/b", std::make_error_code(std::errc::no_such_file_or_directory)},
                              {"/s/c", std::make_error_code(std::errc::file_exists)}};
    system.goneFromTrash = {"/s/b"};
    std::vector<UndoReport> reports;
    QObject::connect(store.get(), &CleanerStore::undoFinished, [&](const UndoReport& report) { reports.push_back(report); });
    store->undoLastClean();
    EXPECT_TRUE(store->isUndoing());
    EXPECT_FALSE(store->canUndo());
    ASSERT_TRUE(runEventsUntil([&] { return reports.size() == 1; }));
    EXPECT_EQ(reports[0].kind, UndoReport::Kind::undone);
    EXPECT_EQ(reports[0].restoredCount(), 1u);
    EXPECT_THAT(urls(store->result(Module::systemJunk)->items), ElementsAre("/s/a"));
    EXPECT_FALSE(store->isSelected(store->result(Module::systemJunk)->items[0]));
    EXPECT_TRUE(store->canUndo());

    // Its place free again, the last one comes back; then nothing is left to undo.
    system.restoreFailures.clear();
    store->undoLastClean();
    ASSERT_TRUE(runEventsUntil([&] { return reports.size() == 2; }));
    ASSERT_EQ(reports[1].entries.size(), 1u);
    EXPECT_EQ(reports[1].entries[0].item, "/s/c");
    EXPECT_THAT(urls(store->result(Module::systemJunk)->items), ElementsAre("/s/a", "/s/c"));
    EXPECT_FALSE(store->canUndo());
    store->undoLastClean();
    ASSERT_EQ(reports.size(), 3u);
    EXPECT_EQ(reports[2].kind, UndoReport::Kind::nothingToUndo);
}

// A clean that deleted for good is the last clean: nothing is left to undo, whatever an earlier
// one moved to the Trash. One that removed nothing changes nothing.
TEST_F(CleanerStoreTest, AfterAPermanentCleanNothingIsLeftToUndo)
{
    system.scanner.setResult(Module::systemJunk, {{item("/s/a", 30), item("/s/fails", 5)}, false});
    system.scanner.setResult(Module::trash, {{item("/t/old", 1)}, false});
    system.cleaner.failOn("/s/fails");
    auto store = makeStore();
    auto cleanToTheEnd = [&](Module module) {
        scanToReady(*store, module);
        store->clean(module);
        ASSERT_TRUE(runEventsUntil([&] { return store->phase(module).kind() == ScanPhase::Kind::cleaned; }));
    };
    cleanToTheEnd(Module::systemJunk);
    ASSERT_TRUE(store->canUndo());
    store->setSelected(true, store->result(Module::systemJunk)->items);
    cleanToTheEnd(Module::systemJunk);
    EXPECT_TRUE(store->canUndo());

    cleanToTheEnd(Module::trash);
    EXPECT_FALSE(store->canUndo());
    std::optional<UndoReport> report;
    QObject::connect(store.get(), &CleanerStore::undoFinished, [&](const UndoReport& r) { report = r; });
    store->undoLastClean();
    ASSERT_TRUE(report);
    EXPECT_EQ(report->kind, UndoReport::Kind::deletedForGood);
}
