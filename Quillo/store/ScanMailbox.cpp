#include "store/ScanMailbox.h"

#include <algorithm>
#include <chrono>

#include <QMetaObject>

namespace {

using namespace std::chrono_literals;

// How long one wake-up of the store's thread keeps handling arrivals before it returns to its
// event loop (a frame on screen lasts 16 ms), and how long it waits for one more.
constexpr auto drainBudget = 4ms;
constexpr auto nextArrivalGrace = 200us;
// While a driver waits for its pool results, how often they are looked for, and how many are
// taken from one driver before the others get their turn.
constexpr auto resultPoll = 100us;
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
    bool resultsLeft = handleArrivals(lock);
    while (std::chrono::steady_clock::now() < deadline) {
        const auto waited = arrived_.wait_for(lock, resultsLeft ? resultPoll : nextArrivalGrace);
        const bool left = handleArrivals(lock);
        if (waited == std::cv_status::timeout && !resultsLeft && !left)
            break;
        resultsLeft = left;
    }
    draining_ = false;
    if (resultsLeft || std::any_of(slots_.begin(), slots_.end(), [](const Slot& slot) { return slot.reportWaiting; }))
        wakeStoreThread();
}

bool ScanMailbox::handleArrivals(std::unique_lock<std::mutex>& lock)
{
    bool resultsLeft = false;
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
        const bool allTaken = slot.results->takeFinished(resultBatch);
        lock.lock();
        slot.resultsInHand = false;
        if (allTaken)
            slot.results = nullptr;
        if (allTaken || stop_.stop_requested())
            handled_.notify_all();
        else
            resultsLeft = true;
    }
    return resultsLeft;
}
