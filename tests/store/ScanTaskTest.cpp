#include <array>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <new>
#include <optional>
#include <thread>

#include <QCoreApplication>

#include <gtest/gtest.h>

#include "store/ScanTask.h"
#include "scan/PoolTasks.h"
#include "support/EventLoop.h"

using namespace std::chrono_literals;

namespace {

using Applied = std::array<std::atomic<int>, Module::caseCount>;

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
            });
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

// A cancel from one of the store thread's report callbacks while it takes the pool results, or
// while no event loop runs at all: the driver takes what is left itself and returns, and no
// report reaches the callbacks after the cancel.
TEST(ScanTask, ACancelledScanTakesTheRestOfItsPoolResultsAndNeverFinishes)
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
        task.reset(); // joins the driver: one left waiting would hang here
        EXPECT_EQ(takenInAll, routine.count) << "event loop runs: " << eventLoopRuns;
        settle();
    }
}

// Running out of memory in a piece of pool work, or in a routine itself, must not leave the scan
// waiting for a result that never comes: the failed work delivers nothing, the scan finishes.
TEST(ScanTask, AFailingRoutineOrPieceOfWorkStillFinishesTheScan)
{
    coreApplication();
    QObject context;
    std::array<std::size_t, Module::caseCount> found{};
    bool finished = false;
    auto routine = [](Module target, const ProgressSink&) {
        if (target == Module::trash)
            throw std::bad_alloc();
        std::size_t delivered = 0;
        DiskScanner::takeAsFinished(
            100,
            [](std::size_t index) {
                if (index % 10 == 3)
                    throw std::bad_alloc();
                return std::optional<int>(1);
            },
            [&](std::size_t, std::optional<int> result) { delivered += result.has_value(); });
        CategoryResult result;
        result.items.resize(delivered);
        return result;
    };
    auto callbacks = ScanTask::Callbacks{
        .progress = [](Module, const ScanProgress&) {},
        .targetFinished = [&](Module target, CategoryResult result) { found[target] = result.items.size() + 1; },
        .allFinished = [&] { finished = true; },
        .drained = [] {},
    };
    ScanTask task(&context, {Module::systemJunk, Module::trash}, routine, callbacks);
    ASSERT_TRUE(runEventsUntil([&] { return finished; }));
    EXPECT_EQ(found[Module::systemJunk], 90u + 1);
    EXPECT_EQ(found[Module::trash], 0u + 1);
}
