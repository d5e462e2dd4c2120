#include "store/ScanMailbox.h"

#include <algorithm>
#include <chrono>

#include <QMetaObject>
#include <QTimer>

namespace {

using namespace std::chrono_literals;

// How long one wake-up of the store's thread keeps handling arrivals before it returns to its
// event loop (a frame on screen lasts 16 ms), and how long it waits there for a driver's next
// report, which a driver reporting in a loop sends within microseconds.
constexpr auto drainBudget = 4ms;
constexpr auto nextReportGrace = 200us;
// While a driver waits for its pool results, how often the store's thread looks for them from its
// event loop, and how many it takes from one driver before the others get their turn.
constexpr auto resultPoll = 1ms;
constexpr std::size_t resultBatch = 64;

} // namespace

ScanMailbox::ScanMailbox(QObject* context, const std::vector<Module>& targets, ScanCallbacks callbacks,
                         std::stop_token stop)
    : context_(context), storeThread_(std::this_thread::get_id()), callbacks_(std::move(callbacks)), stop_(std::move(stop))
{
    for (Module target : targets)
        slots_.emplace_back(*this, target);
}

ScanMailbox::Slot& ScanMailbox::slotFor(Module target)
{
    return *std::find_if(slots_.begin(), slots_.end(), [&](const Slot& slot) { return slot.target == target; });
}

void ScanMailbox::report(Module target, const ScanProgress& progress)
{
    // After a cancel the store's thread may still hold the report before this one.
    if (stop_.stop_requested())
        return;
    if (std::this_thread::get_id() == storeThread_)
        return callbacks_.progress(target, progress);
    Slot& slot = slotFor(target);
    std::unique_lock lock(mutex_);
    slot.progress = progress;
    slot.reportWaiting = true;
    wakeStoreThread();
    handled_.wait(lock, stop_, [&] { return !slot.reportWaiting; });
    slot.reportWaiting = false;
}

void ScanMailbox::takeAll(Slot& slot, DiskScanner::PendingResults& results)
{
    std::unique_lock lock(mutex_);
    if (stop_.stop_requested())
        return;
    slot.results = &results;
    slot.resultsTaken = false;
    wakeStoreThread();
    handled_.wait(lock, stop_, [&] { return !slot.results; });
    // Cancelled: the rest is the driver's once the store's thread has let go.
    handled_.wait(lock, [&] { return !slot.resultsInHand; });
    slot.results = nullptr;
}

void ScanMailbox::finish(Module target, CategoryResult result)
{
    QMetaObject::invokeMethod(
        context_, [self = shared_from_this(), target, result = std::move(result)]() mutable {
            self->receive(target, std::move(result));
        },
        Qt::QueuedConnection);
}

// Counted where they arrive, since drivers may post in another order than they finish.
void ScanMailbox::receive(Module target, CategoryResult result)
{
    const bool last = ++delivered_ == slots_.size();
    if (!stop_.stop_requested()) {
        callbacks_.targetFinished(target, std::move(result));
        if (last && !stop_.stop_requested())
            callbacks_.allFinished();
    }
    if (last && callbacks_.drained)
        callbacks_.drained();
}

void ScanMailbox::wakeStoreThread()
{
    if (draining_) {
        arrived_.notify_one();
    } else if (!drainPosted_ && context_) {
        drainPosted_ = true;
        QMetaObject::invokeMethod(context_, [self = shared_from_this()] { self->drain(); }, Qt::QueuedConnection);
    }
}

void ScanMailbox::drain()
{
    std::unique_lock lock(mutex_);
    drainPosted_ = false;
    draining_ = true;
    const auto deadline = std::chrono::steady_clock::now() + drainBudget;
    bool resultsLeft = false;
    for (;;) {
        resultsLeft = handleArrivals(lock, deadline);
        // Pool results come at the pool's pace: they are looked for again from the event loop,
        // not waited for here.
        if (resultsLeft || std::chrono::steady_clock::now() >= deadline ||
            !arrived_.wait_for(lock, nextReportGrace, [&] { return anyReportWaiting() || anyResultsHandedOver(); }))
            break;
    }
    draining_ = false;
    if (anyReportWaiting())
        wakeStoreThread();
    else if (resultsLeft)
        lookForResultsSoon();
}

bool ScanMailbox::anyReportWaiting() const
{
    return std::any_of(slots_.begin(), slots_.end(), [](const Slot& slot) { return slot.reportWaiting; });
}

bool ScanMailbox::anyResultsHandedOver() const
{
    return std::any_of(slots_.begin(), slots_.end(), [](const Slot& slot) { return slot.results && !slot.resultsTaken; });
}

void ScanMailbox::lookForResultsSoon()
{
    if (lookScheduled_ || !context_)
        return;
    lookScheduled_ = true;
    QTimer::singleShot(resultPoll, Qt::PreciseTimer, context_, [self = shared_from_this()] {
        self->lookScheduled_ = false;
        self->drain();
    });
}

bool ScanMailbox::handleArrivals(std::unique_lock<std::mutex>& lock, std::chrono::steady_clock::time_point deadline)
{
    bool resultsLeft = false;
    // Passes over the drivers, a batch each, while one still had a full batch ready.
    for (bool batchFull = true; batchFull && std::chrono::steady_clock::now() < deadline;) {
        batchFull = false;
        resultsLeft = false;
        for (Slot& slot : slots_) {
            applyWaitingReport(slot, lock);
            if (!slot.results || stop_.stop_requested())
                continue;
            slot.resultsTaken = true;
            slot.resultsInHand = true;
            lock.unlock();
            const auto taken = slot.results->takeFinished(resultBatch);
            lock.lock();
            slot.resultsInHand = false;
            if (taken.all)
                slot.results = nullptr;
            if (taken.all || stop_.stop_requested())
                handled_.notify_all();
            else
                resultsLeft = true;
            batchFull = batchFull || (!taken.all && taken.count == resultBatch);
        }
    }
    return resultsLeft;
}

void ScanMailbox::applyWaitingReport(Slot& slot, std::unique_lock<std::mutex>& lock)
{
    if (!slot.reportWaiting)
        return;
    lock.unlock();
    if (!stop_.stop_requested())
        callbacks_.progress(slot.target, slot.progress);
    lock.lock();
    slot.reportWaiting = false;
    handled_.notify_all();
}
