#include "core/store/ScanTask.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>

#include <QMetaObject>

#include "platform/SpinWait.h"

namespace {

using namespace std::chrono_literals;

// How long one wake-up of the GUI thread keeps applying reports, and how long it waits for the
// next one before it returns to its event loop: a driver sends its next report within
// microseconds when results are waiting, and a frame on screen lasts 16 ms. Both sides spin a
// little before they sleep, since a sleep and a wake-up cost more than most reports take.
constexpr auto drainBudget = 4ms;
constexpr auto nextReportGrace = 200us;
// The GUI thread's spin adapts: it doubles while the next report keeps coming within it (a burst
// of results already waiting), and halves after each miss (the pool is the bottleneck, and a
// spinning GUI thread would only take a core from it).
constexpr std::chrono::nanoseconds guiSpinLongest = 50us;
constexpr std::chrono::nanoseconds guiSpinShortest = 1us;
constexpr auto driverSpin = 100us;

// Runs `work` on the thread of `context`; dropped unseen when `context` is gone by then.
template <class Work>
void post(QObject* context, Work&& work)
{
    QMetaObject::invokeMethod(context, std::forward<Work>(work), Qt::QueuedConnection);
}

} // namespace

// A driver's one report on its way to the GUI thread. Reused for each of the driver's reports: a
// report is only written once the one before it was applied, or once the scan was cancelled,
// after which nothing is written any more. It belongs to the shared state, not to the driver,
// so a report the GUI thread is still applying when its driver gives up stays valid.
struct ScanTask::PendingReport {
    explicit PendingReport(Module target) : target(target) {}
    const Module target;
    ScanProgress progress;
    std::atomic<bool> applied{false};
};

// What the drivers and the GUI thread share; it outlives the task while events are queued.
struct ScanTask::Shared {
    QPointer<QObject> context;
    Callbacks callbacks;
    std::stop_token stop;
    std::size_t targetCount = 0;
    // Finished targets whose results reached the GUI thread (GUI thread only): counted where
    // they arrive, since drivers may post in another order than they finish.
    std::size_t delivered = 0;
    // One per driver, in the order of the targets.
    std::deque<PendingReport> reports;

    std::mutex mutex;
    // Reports waiting to be applied, at most one per driver; `waiting` mirrors its size for
    // spinning without the lock.
    std::deque<PendingReport*> pending;
    std::atomic<std::size_t> waiting{0};
    // The GUI thread is applying reports and will see new ones without an event of their own.
    bool draining = false;
    bool drainPosted = false;
    // Drivers asleep on `reportApplied`; the GUI thread skips the notification when there are none.
    int sleepingDrivers = 0;
    // How long the GUI thread spins for the next report (GUI thread only).
    std::chrono::nanoseconds guiSpin = guiSpinShortest;
    std::condition_variable reportArrived;
    std::condition_variable_any reportApplied;
};

ScanTask::ScanTask(QObject* context, const std::vector<Module>& targets, Routine routine, Callbacks callbacks)
    : routine_(std::move(routine)), shared_(std::make_shared<Shared>())
{
    shared_->context = context;
    shared_->callbacks = std::move(callbacks);
    shared_->stop = stop_.get_token();
    shared_->targetCount = targets.size();
    for (Module target : targets)
        shared_->reports.emplace_back(target);
    drivers_.reserve(targets.size());
    for (PendingReport& slot : shared_->reports)
        drivers_.emplace_back([this, &slot, stop = stop_.get_token()] { drive(slot, stop); });
}

ScanTask::~ScanTask()
{
    cancel();
    drivers_.clear(); // joins
}

void ScanTask::report(PendingReport& pending, const ScanProgress& progress, const std::stop_token& stop)
{
    // After a cancel the GUI thread may still hold the report before this one.
    if (stop.stop_requested())
        return;
    pending.progress = progress;
    pending.applied.store(false, std::memory_order_relaxed);
    bool guiDraining = false;
    {
        std::lock_guard lock(shared_->mutex);
        shared_->pending.push_back(&pending);
        shared_->waiting.store(shared_->pending.size(), std::memory_order_release);
        if (shared_->draining) {
            guiDraining = true;
            shared_->reportArrived.notify_one();
        } else if (!shared_->drainPosted) {
            shared_->drainPosted = true;
            post(shared_->context, [shared = shared_] { drain(shared); });
        }
    }
    const auto applied = [&] { return pending.applied.load(std::memory_order_acquire); };
    // A draining GUI thread answers within microseconds when it is on a core, and wakes within a
    // hundred of them when the pool keeps every core busy: too soon for a sleep and a wake-up of
    // this thread to pay.
    if (guiDraining && platform::spinUntil([&] { return applied() || stop.stop_requested(); }, driverSpin) && applied())
        return;
    std::unique_lock lock(shared_->mutex);
    ++shared_->sleepingDrivers;
    shared_->reportApplied.wait(lock, stop, applied);
    --shared_->sleepingDrivers;
    if (!applied()) {
        std::erase(shared_->pending, &pending);
        shared_->waiting.store(shared_->pending.size(), std::memory_order_release);
    }
}

// On the GUI thread: applies waiting reports, and the ones that follow closely, then returns.
void ScanTask::drain(const std::shared_ptr<Shared>& shared)
{
    std::unique_lock lock(shared->mutex);
    shared->drainPosted = false;
    shared->draining = true;
    const auto deadline = std::chrono::steady_clock::now() + drainBudget;
    for (;;) {
        while (!shared->pending.empty()) {
            PendingReport* report = shared->pending.front();
            shared->pending.pop_front();
            shared->waiting.store(shared->pending.size(), std::memory_order_release);
            lock.unlock();
            if (!shared->stop.stop_requested())
                shared->callbacks.progress(report->target, report->progress);
            // The driver writes its next report as soon as it sees this: `report` is not read after.
            report->applied.store(true, std::memory_order_release);
            lock.lock();
            if (shared->sleepingDrivers > 0)
                shared->reportApplied.notify_all();
        }
        if (std::chrono::steady_clock::now() >= deadline)
            break;
        lock.unlock();
        auto& spin = shared->guiSpin;
        const bool arrived = platform::spinUntil(
            [&] { return shared->waiting.load(std::memory_order_acquire) > 0; }, spin);
        spin = arrived ? std::min(spin * 2, guiSpinLongest) : std::max(spin / 2, guiSpinShortest);
        lock.lock();
        if (!arrived && !shared->reportArrived.wait_for(lock, nextReportGrace, [&] { return !shared->pending.empty(); }))
            break;
    }
    shared->draining = false;
    // Reports that came after the budget ran out get a wake-up of their own.
    if (!shared->pending.empty() && !shared->drainPosted && shared->context) {
        shared->drainPosted = true;
        post(shared->context, [shared] { drain(shared); });
    }
}

void ScanTask::drive(PendingReport& slot, std::stop_token stop)
{
    const Module target = slot.target;
    ProgressSink sink([this, &slot, stop](const ScanProgress& progress) { report(slot, progress, stop); }, stop);
    CategoryResult result = routine_(target, sink);
    post(shared_->context, [shared = shared_, target, result = std::move(result)]() mutable {
        const bool last = ++shared->delivered == shared->targetCount;
        if (!shared->stop.stop_requested()) {
            shared->callbacks.targetFinished(target, std::move(result));
            if (last && !shared->stop.stop_requested())
                shared->callbacks.allFinished();
        }
        if (last && shared->callbacks.drained)
            shared->callbacks.drained();
    });
}
