#include <atomic>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#include <QObject>

#include <gtest/gtest.h>

#include "store/ScanMailbox.h"
#include "support/EventLoop.h"

using namespace std::chrono_literals;

namespace {

// Drivers that each deliver `count` reports, in bursts and pauses so that both the hand-over to
// a store thread still applying and the one that wakes it from its event loop are taken.
struct Drivers {
    std::vector<std::jthread> threads;
    std::atomic<int> returned{0};

    void start(ScanMailbox& mailbox, const std::vector<Module>& targets, int count,
               const std::function<void(Module, int)>& afterDelivery = {})
    {
        for (Module target : targets) {
            threads.emplace_back([&, target, count, afterDelivery] {
                for (int i = 1; i <= count; ++i) {
                    mailbox.report(target, ScanProgress{i, "~/x", 0.5});
                    if (afterDelivery)
                        afterDelivery(target, i);
                    if (i % 500 == 0)
                        std::this_thread::sleep_for(2ms);
                }
                ++returned;
            });
        }
    }
};

ScanCallbacks progressOnly(std::function<void(Module, const ScanProgress&)> progress)
{
    return {.progress = std::move(progress), .targetFinished = {}, .allFinished = {}, .drained = {}};
}

} // namespace

TEST(ScanMailbox, EveryReportIsAppliedOnTheStoreThreadBeforeDeliveryReturns)
{
    coreApplication();
    QObject context;
    std::array<std::atomic<int>, Module::caseCount> applied{};
    std::atomic<int> early{0};
    std::atomic<int> offThread{0};
    const auto storeThread = std::this_thread::get_id();
    auto mailbox = std::make_shared<ScanMailbox>(
        &context, std::vector<Module>{Module::systemJunk, Module::trash},
        progressOnly([&](Module target, const ScanProgress& report) {
            offThread += std::this_thread::get_id() != storeThread;
            if (report.foundBytes != ++applied[target])
                ++early;
        }),
        std::stop_token());
    Drivers drivers;
    drivers.start(*mailbox, {Module::systemJunk, Module::trash}, 3000, [&](Module target, int i) {
        if (applied[target].load() != i)
            ++early;
    });
    ASSERT_TRUE(runEventsUntil([&] { return drivers.returned == 2; }));
    EXPECT_EQ(early, 0);
    EXPECT_EQ(offThread, 0);
    EXPECT_EQ(applied[Module::systemJunk], 3000);
    EXPECT_EQ(applied[Module::trash], 3000);
}

// A cancel from inside a report's application, or while no event loop runs at all, releases
// every waiting driver, and nothing is applied after it.
TEST(ScanMailbox, ACancelReleasesWaitingDriversAndNothingIsAppliedAfterIt)
{
    coreApplication();
    for (const bool eventLoopRuns : {true, false}) {
        QObject context;
        std::stop_source stop;
        std::atomic<int> applied{0};
        std::atomic<bool> appliedAfterCancel{false};
        auto mailbox = std::make_shared<ScanMailbox>(
            &context, std::vector<Module>{Module::systemJunk, Module::developerJunk},
            progressOnly([&](Module, const ScanProgress&) {
                appliedAfterCancel = appliedAfterCancel || stop.stop_requested();
                if (++applied == 100)
                    stop.request_stop();
            }),
            stop.get_token());
        Drivers drivers;
        drivers.start(*mailbox, {Module::systemJunk, Module::developerJunk}, 5000);
        if (eventLoopRuns) {
            EXPECT_TRUE(runEventsUntil([&] { return drivers.returned == 2; }));
            EXPECT_EQ(applied, 100);
        } else {
            std::this_thread::sleep_for(20ms);
            EXPECT_EQ(drivers.returned, 0) << "reports went through without the store's thread";
            stop.request_stop();
            drivers.threads.clear(); // joins: a driver left waiting would hang here
        }
        settle();
        EXPECT_FALSE(appliedAfterCancel) << "event loop runs: " << eventLoopRuns;
        EXPECT_LE(applied, 100);
    }
}
