#include "core/store/ScanTask.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>

#include <QMetaObject>

#include "platform/SpinWait.h"
#include "scan/ResultTaker.h"

namespace {

using namespace std::chrono_literals;

// How long one wake-up of the GUI thread keeps applying reports, and how long it waits for the
// next one before it returns to its event loop: the pool finishes a result every few
// microseconds while a scan measures, and a frame on screen lasts 16 ms.
constexpr auto drainBudget = 4ms;
constexpr auto nextArrivalGrace = 200us;
// Before it sleeps, the GUI thread spins for the next arrival, since a sleep and a wake-up cost
// more than most results take. The spin adapts: it doubles while the next arrival keeps coming
// within it, and halves after each miss (the pool is the bottleneck, and a spinning GUI thread
// would only take a core from it).
constexpr std::chrono::nanoseconds guiSpinLongest = 50us;
constexpr std::chrono::nanoseconds guiSpinShortest = 1us;
// Results the GUI thread takes from one driver before it looks at the other drivers.
constexpr std::size_t takeBatch = 64;

// Runs `work` on the thread of `context`; dropped unseen when `context` is gone by then.
template <class Work>
void post(QObject* context, Work&& work)
{
    QMetaObject::invokeMethod(context, std::forward<Work>(work), Qt::QueuedConnection);
}

enum class GuiState { idle, draining, sleeping };

} // namespace

// What one driver shares with the GUI thread. It belongs to the shared state, not to the driver,
// so a report the GUI thread is still applying when its driver gives up stays valid.
struct ScanTask::DriverLine final : ResultTaker {
    DriverLine(Shared& shared, Module target) : shared(shared), target(target) {}

    void resultFinished() override;
    void takeAll(FinishedResults& finished) override;
    // Hands `progress` to the GUI thread and waits until it was applied or the scan cancelled.
    void report(const ScanProgress& progress);

    Shared& shared;
    const Module target;
    // The driver's one report on its way, reused: written only once the one before was applied,
    // and no more once the scan was cancelled.
    ScanProgress progress;
    bool applied = false;
    // Results the GUI thread takes for the waiting driver, and whether it is taking them right
    // now. Both under the mutex.
    FinishedResults* results = nullptr;
    bool resultsInHand = false;
};

// What the drivers, the pool and the GUI thread share; it outlives the task while events are
// queued.
struct ScanTask::Shared : std::enable_shared_from_this<Shared> {
    // Tells the GUI thread that a report or a result arrived, waking it as needed.
    void announceArrival();
    // On the GUI thread: applies waiting reports and takes finished results, and the ones that
    // follow closely, then returns to the event loop.
    void drain();
    // One pass over what has arrived; true when it left finished results untaken.
    bool applyArrivals(std::unique_lock<std::mutex>& lock);

    QPointer<QObject> context;
    std::thread::id guiThread;
    Callbacks callbacks;
    std::stop_token stop;
    std::size_t targetCount = 0;
    // Finished targets whose results reached the GUI thread (GUI thread only): counted where
    // they arrive, since drivers may post in another order than they finish.
    std::size_t delivered = 0;
    // One per driver, in the order of the targets.
    std::deque<DriverLine> lines;

    // Counts every report and result as it arrives, so the GUI thread can spin and sleep on it.
    std::atomic<std::uint64_t> arrivals{0};
    std::atomic<GuiState> gui{GuiState::idle};

    std::mutex mutex;
    // Reports handed over and waiting to be applied, at most one per driver.
    std::deque<DriverLine*> pending;
    bool drainPosted = false;
    // How long the GUI thread spins for the next arrival (GUI thread only).
    std::chrono::nanoseconds guiSpin = guiSpinShortest;
    std::condition_variable arrived;
    std::condition_variable_any handledForDriver;
};

ScanTask::ScanTask(QObject* context, const std::vector<Module>& targets, Routine routine, Callbacks callbacks)
    : routine_(std::move(routine)), shared_(std::make_shared<Shared>())
{
    shared_->context = context;
    shared_->guiThread = std::this_thread::get_id();
    shared_->callbacks = std::move(callbacks);
    shared_->stop = stop_.get_token();
    shared_->targetCount = targets.size();
    for (Module target : targets)
        shared_->lines.emplace_back(*shared_, target);
    drivers_.reserve(targets.size());
    for (DriverLine& line : shared_->lines)
        drivers_.emplace_back([this, &line] { drive(line); });
}

ScanTask::~ScanTask()
{
    cancel();
    drivers_.clear(); // joins
}

void ScanTask::Shared::announceArrival()
{
    // Sequentially consistent with the GUI thread's change of state and its look at `arrivals`:
    // either it sees this arrival, or this sees it idle or asleep and wakes it.
    arrivals.fetch_add(1);
    if (gui.load() == GuiState::draining)
        return;
    std::lock_guard lock(mutex);
    if (gui.load() == GuiState::sleeping) {
        arrived.notify_one();
    } else if (gui.load() == GuiState::idle && !drainPosted) {
        drainPosted = true;
        post(context, [self = shared_from_this()] { self->drain(); });
    }
}

void ScanTask::DriverLine::resultFinished() { shared.announceArrival(); }

void ScanTask::DriverLine::takeAll(FinishedResults& finished)
{
    {
        std::lock_guard lock(shared.mutex);
        if (shared.stop.stop_requested())
            return;
        results = &finished;
    }
    // Results may have finished before the GUI thread knew where to take them.
    shared.announceArrival();
    std::unique_lock lock(shared.mutex);
    shared.handledForDriver.wait(lock, shared.stop, [&] { return results == nullptr; });
    // Cancelled: the rest is the caller's once the GUI thread has let go.
    shared.handledForDriver.wait(lock, [&] { return !resultsInHand; });
    results = nullptr;
}

void ScanTask::DriverLine::report(const ScanProgress& report)
{
    // After a cancel the GUI thread may still hold the report before this one.
    if (shared.stop.stop_requested())
        return;
    // Taking results on the GUI thread makes their reports there.
    if (std::this_thread::get_id() == shared.guiThread) {
        shared.callbacks.progress(target, report);
        return;
    }
    {
        std::lock_guard lock(shared.mutex);
        progress = report;
        applied = false;
        shared.pending.push_back(this);
    }
    shared.announceArrival();
    std::unique_lock lock(shared.mutex);
    shared.handledForDriver.wait(lock, shared.stop, [&] { return applied; });
    if (!applied)
        std::erase(shared.pending, this);
}

bool ScanTask::Shared::applyArrivals(std::unique_lock<std::mutex>& lock)
{
    while (!pending.empty()) {
        DriverLine* line = pending.front();
        pending.pop_front();
        lock.unlock();
        // The driver writes its next report only after seeing `applied`: `line->progress` is
        // stable until then.
        if (!stop.stop_requested())
            callbacks.progress(line->target, line->progress);
        lock.lock();
        line->applied = true;
        handledForDriver.notify_all();
    }
    bool leftBehind = false;
    for (DriverLine& line : lines) {
        if (!line.results || stop.stop_requested())
            continue;
        line.resultsInHand = true;
        lock.unlock();
        const bool allTaken = line.results->takeFinished(takeBatch);
        lock.lock();
        line.resultsInHand = false;
        if (allTaken)
            line.results = nullptr;
        if (allTaken || stop.stop_requested())
            handledForDriver.notify_all();
        else
            leftBehind = true;
    }
    return leftBehind;
}

void ScanTask::Shared::drain()
{
    std::unique_lock lock(mutex);
    drainPosted = false;
    gui.store(GuiState::draining);
    const auto deadline = std::chrono::steady_clock::now() + drainBudget;
    std::uint64_t seen = 0;
    bool leftBehind = false;
    for (;;) {
        seen = arrivals.load();
        leftBehind = applyArrivals(lock);
        if (std::chrono::steady_clock::now() >= deadline)
            break;
        if (leftBehind || arrivals.load() != seen)
            continue;
        lock.unlock();
        const bool came = platform::spinUntil([&] { return arrivals.load(std::memory_order_relaxed) != seen; }, guiSpin);
        guiSpin = came ? std::min(guiSpin * 2, guiSpinLongest) : std::max(guiSpin / 2, guiSpinShortest);
        lock.lock();
        if (came)
            continue;
        gui.store(GuiState::sleeping);
        const bool woken = arrived.wait_for(lock, nextArrivalGrace, [&] { return arrivals.load() != seen; });
        gui.store(GuiState::draining);
        if (!woken)
            break;
    }
    gui.store(GuiState::idle);
    // What arrived after the last pass began, or was left when the budget ran out, gets a wake-up
    // of its own.
    if ((leftBehind || arrivals.load() != seen) && !drainPosted && context) {
        drainPosted = true;
        post(context, [self = shared_from_this()] { self->drain(); });
    }
}

void ScanTask::drive(DriverLine& line)
{
    const Module target = line.target;
    ProgressSink sink([&line](const ScanProgress& progress) { line.report(progress); }, stop_.get_token(), &line);
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
