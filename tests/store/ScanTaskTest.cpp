#include <array>
#include <atomic>
#include <chrono>
#include <thread>

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
