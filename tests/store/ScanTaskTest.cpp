#include <array>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <thread>

// Before Qt, whose "emit" keyword clashes with the pool library.
#include "scan/PoolTasks.h"

#include <QCoreApplication>
#include <QEventLoop>

#include <gtest/gtest.h>

#include "core/store/ScanTask.h"
#include "support/EventLoop.h"

using namespace std::chrono_literals;

namespace {

using Applied = std::array<std::atomic<int>, Module::caseCount>;

ScanTask::Callbacks callbacks(Applied& applied, QEventLoop* loop = nullptr)
{
    return {
        .progress = [&applied](Module target, const ScanProgress&) { ++applied[target]; },
        .targetFinished = [](Module, CategoryResult) {},
        .allFinished = [loop] { if (loop) loop->quit(); },
        .drained = [] {},
    };
}

} // namespace

TEST(ScanTask, EveryReportIsAppliedBeforeTheScannerGoesOn)
{
    coreApplication();
    QObject context;
    Applied applied{};
    std::atomic<int> early{0};
    QEventLoop loop;
    // Bursts and pauses, so that both the hand-over between running threads and the one that
    // wakes a sleeping GUI thread are taken.
    auto routine = [&](Module target, const ProgressSink& sink) {
        for (int i = 1; i <= 3000; ++i) {
            sink(ScanProgress{i, "~/x", i / 3000.0});
            if (applied[target].load() != i)
                ++early;
            if (i % 500 == 0)
                std::this_thread::sleep_for(2ms);
        }
        return CategoryResult{};
    };
    ScanTask task(&context, {Module::systemJunk, Module::trash}, routine, callbacks(applied, &loop));
    loop.exec();
    EXPECT_EQ(early, 0);
    EXPECT_EQ(applied[Module::systemJunk], 3000);
    EXPECT_EQ(applied[Module::trash], 3000);
}

TEST(ScanTask, ACancelReleasesADriverWhoseReportIsNeverApplied)
{
    coreApplication();
    QObject context;
    Applied applied{};
    std::atomic<bool> returned{false};
    auto routine = [&](Module, const ProgressSink& sink) {
        sink(ScanProgress{1, "~/never", 0.5});
        returned = true;
        return CategoryResult{};
    };
    auto task = std::make_unique<ScanTask>(&context, std::vector<Module>{Module::duplicates}, routine, callbacks(applied));
    // No event loop runs: the report waits.
    std::this_thread::sleep_for(20ms);
    EXPECT_FALSE(returned);
    task->cancel();
    const auto deadline = std::chrono::steady_clock::now() + 2s;
    while (!returned && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(1ms);
    EXPECT_TRUE(returned);
    task.reset();
    // What the driver posted before it ended is dropped, not applied.
    QCoreApplication::processEvents();
    EXPECT_EQ(applied[Module::duplicates], 0);
}

namespace {

// A routine whose work runs on the pool, as the scan routines' measuring does: `count` pieces,
// each result taken with a report, the way `take` sees them recorded in `seen`.
struct PoolRoutine {
    int count = 2000;
    std::atomic<int>* seenReports = nullptr;
    std::function<void(int taken)> onTake = [](int) {};

    CategoryResult operator()(Module, const ProgressSink& sink) const
    {
        int taken = 0;
        DiskScanner::takeAsFinished(
            static_cast<std::size_t>(count), [](std::size_t index) { return static_cast<std::int64_t>(index); },
            [&](std::size_t, std::int64_t) {
                ++taken;
                onTake(taken);
                sink(ScanProgress{taken, "~/x", static_cast<double>(taken) / count});
            },
            sink);
        CategoryResult result;
        result.items.resize(static_cast<std::size_t>(taken));
        return result;
    }
};

} // namespace

TEST(ScanTask, ResultsOfPoolWorkAreAllTakenAndEachReportAppliedBeforeTheNext)
{
    coreApplication();
    QObject context;
    Applied applied{};
    std::atomic<int> early{0};
    std::array<std::size_t, Module::caseCount> found{};
    bool finished = false;
    PoolRoutine routine;
    Module targets[] = {Module::systemJunk, Module::developerJunk, Module::trash};
    auto callbacks = ScanTask::Callbacks{
        .progress = [&](Module target, const ScanProgress& report) {
            if (report.foundBytes != ++applied[target])
                ++early;
        },
        .targetFinished = [&](Module target, CategoryResult result) { found[target] = result.items.size(); },
        .allFinished = [&] { finished = true; },
        .drained = [] {},
    };
    ScanTask task(&context, {std::begin(targets), std::end(targets)}, routine, callbacks);
    ASSERT_TRUE(runEventsUntil([&] { return finished; }));
    EXPECT_EQ(early, 0);
    for (Module target : targets) {
        EXPECT_EQ(applied[target], routine.count);
        EXPECT_EQ(found[target], static_cast<std::size_t>(routine.count));
    }
}

// A cancel while the GUI thread takes the results, from one of its own report callbacks, or
// while no event loop runs at all: the driver takes what is left itself and returns, and no
// report reaches the callbacks after the cancel.
TEST(ScanTask, ACancelHandsTheRestOfThePoolResultsBackToTheDriver)
{
    coreApplication();
    for (const bool eventLoopRuns : {true, false}) {
        QObject context;
        Applied applied{};
        std::atomic<int> takenInAll{0};
        std::atomic<bool> drained{false};
        std::unique_ptr<ScanTask> task;
        PoolRoutine routine;
        routine.onTake = [&](int taken) { takenInAll = taken; };
        auto callbacks = ScanTask::Callbacks{
            .progress = [&](Module target, const ScanProgress&) {
                if (++applied[target] == 100)
                    task->cancel();
            },
            .targetFinished = [](Module, CategoryResult) { ADD_FAILURE() << "a cancelled scan finished"; },
            .allFinished = [] {},
            .drained = [&] { drained = true; },
        };
        task = std::make_unique<ScanTask>(&context, std::vector<Module>{Module::systemJunk}, routine, callbacks);
        if (eventLoopRuns) {
            EXPECT_TRUE(runEventsUntil([&] { return drained.load(); }));
            EXPECT_EQ(applied[Module::systemJunk], 100);
        } else {
            std::this_thread::sleep_for(20ms);
            task->cancel();
        }
        task.reset(); // joins the driver
        EXPECT_EQ(takenInAll, routine.count) << "event loop runs: " << eventLoopRuns;
        settle();
    }
}
