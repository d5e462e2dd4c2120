#include "store/ScanMailbox.h"

#include <algorithm>
#include <chrono>

#include <QMetaObject>
#include <QTimer>

namespace {

using namespace std::chrono_literals;

// How long one turn of the store's thread takes results before it returns to its event loop (a
// frame on screen lasts 16 ms).
constexpr auto drainBudget = 4ms;
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
    if (!drainPosted_ && context_) {
        drainPosted_ = true;
        QMetaObject::invokeMethod(context_, [self = shared_from_this()] { self->drain(); }, Qt::QueuedConnection);
    }
}

void ScanMailbox::drain()
{
    std::unique_lock lock(mutex_);
    drainPosted_ = false;
    const Left left = handleArrivals(lock, std::chrono::steady_clock::now() + drainBudget);
    const bool reportWaiting =
        std::any_of(slots_.begin(), slots_.end(), [](const Slot& slot) { return slot.reportWaiting; });
    // Results not finished yet come at the pool's pace: they are looked for again from the event
    // loop, not waited for here.
    if (reportWaiting || left == Left::finishedResults)
        wakeStoreThread();
    else if (left == Left::unfinishedResults && !lookScheduled_ && context_) {
        lookScheduled_ = true;
        QTimer::singleShot(resultPoll, Qt::PreciseTimer, context_, [self = shared_from_this()] {
            self->lookScheduled_ = false;
            self->drain();
        });
    }
}

ScanMailbox::Left ScanMailbox::handleArrivals(std::unique_lock<std::mutex>& lock,
                                              std::chrono::steady_clock::time_point deadline)
{
    Left left = Left::finishedResults;
    // Passes over the drivers, a batch each, while one had a full batch and time is left.
    while (left == Left::finishedResults && std::chrono::steady_clock::now() < deadline) {
        left = Left::nothing;
        for (Slot& slot : slots_) {
            if (slot.reportWaiting) {
                lock.unlock();
                if (!stop_.stop_requested())
                    callbacks_.progress(slot.target, slot.progress);
                lock.lock();
                slot.reportWaiting = false;
                handled_.notify_all();
            }
            if (!slot.results || stop_.stop_requested())
                continue;
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
                left = std::max(left, taken.count == resultBatch ? Left::finishedResults : Left::unfinishedResults);
        }
    }
    return left;
}
