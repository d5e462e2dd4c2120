#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <stop_token>
#include <thread>
#include <vector>

#include <QObject>
#include <QPointer>

#include "records/CategoryResult.h"
#include "records/Module.h"
#include "scan/PoolTasks.h"
#include "scan/ScanProgress.h"

// What a scan hands to the store's thread, and when. Each runs there, never after the cancel.
struct ScanCallbacks {
    std::function<void(Module target, const ScanProgress& progress)> progress;
    std::function<void(Module target, CategoryResult result)> targetFinished;
    std::function<void()> allFinished;
    // Once every driver has returned, cancelled or not (the scan may then be dropped at once).
    std::function<void()> drained;
};

// Carries a scan's reports and results from its driver threads to the store's thread. A report
// returns once it was applied there or once the scan was cancelled, whichever comes first, so a
// routine never runs ahead of what the user sees and a cancel (or a quit) never leaves a driver
// waiting; nothing reaches the callbacks after the cancel.
//
// It is also each driver's DiskScanner::ResultTaker: the results of a routine's pool work are
// taken on the store's thread, so the report made with each is applied where it is made. Handing
// every report over instead, a wake-up of the store's thread and one of the driver each, measured
// store / bare = 1.8-3.1 on bench/store_overhead (2 cores); taking them here, 0.94-1.00 (fastest
// rounds 0.98), the store's thread busy 15-16 % of a core while 20,000 results a scan come in.
// Finished results are not announced: while a driver waits for them, the store's thread looks for
// them from its event loop every `resultPoll`, so the pool never waits for it.
class ScanMailbox : public std::enable_shared_from_this<ScanMailbox> {
public:
    // Made on the store's thread, where `context` lives.
    ScanMailbox(QObject* context, const std::vector<Module>& targets, ScanCallbacks callbacks, std::stop_token stop);

    // On the driver of `target`, or on the store's thread while it takes that driver's results.
    void report(Module target, const ScanProgress& progress);
    // To be named for the driver of `target` while it runs its routine.
    DiskScanner::ResultTaker& takerFor(Module target) { return slotFor(target); }
    // The driver's last word; returns at once.
    void finish(Module target, CategoryResult result);

private:
    // What one driver has handed over, under the mutex; `progress` and `results` are used by the
    // store's thread outside it while the driver waits.
    struct Slot final : DiskScanner::ResultTaker {
        Slot(ScanMailbox& mailbox, Module target) : mailbox(mailbox), target(target) {}
        void takeAll(DiskScanner::PendingResults& pending) override { mailbox.takeAll(*this, pending); }

        ScanMailbox& mailbox;
        const Module target;
        ScanProgress progress;
        bool reportWaiting = false;
        DiskScanner::PendingResults* results = nullptr;
        // The store's thread is taking some of `results` right now.
        bool resultsInHand = false;
    };

    Slot& slotFor(Module target);
    void takeAll(Slot& slot, DiskScanner::PendingResults& results);
    // Precondition: locked.
    void wakeStoreThread();
    // What a turn of the store's thread left: nothing, results still being worked on, or finished
    // results it had no time for.
    enum class Left { nothing, unfinishedResults, finishedResults };
    // On the store's thread: handles what has come, then returns to the event loop.
    void drain();
    // Applies waiting reports and takes finished results until `deadline`.
    Left handleArrivals(std::unique_lock<std::mutex>& lock, std::chrono::steady_clock::time_point deadline);
    void receive(Module target, CategoryResult result);

    QPointer<QObject> context_;
    const std::thread::id storeThread_;
    ScanCallbacks callbacks_;
    std::stop_token stop_;
    // Targets whose results arrived (store's thread only).
    std::size_t delivered_ = 0;

    std::mutex mutex_;
    std::deque<Slot> slots_;
    bool drainPosted_ = false;
    // Store's thread only.
    bool lookScheduled_ = false;
    std::condition_variable_any handled_;
};
