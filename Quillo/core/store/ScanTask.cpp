#include "core/store/ScanTask.h"

#include <condition_variable>
#include <mutex>

#include <QMetaObject>

// What the drivers and the events they post share; it outlives the task when events are still
// queued after the task was destroyed.
struct ScanTask::Shared {
    Callbacks callbacks;
    std::stop_token stop;
    std::atomic<int> running{0};
};

namespace {

// Runs `work` on the thread of `context`; dropped unseen when `context` is gone by then.
template <class Work>
void post(QObject* context, Work&& work)
{
    QMetaObject::invokeMethod(context, std::forward<Work>(work), Qt::QueuedConnection);
}

// A report in flight: applied on the GUI thread, awaited on the driver.
struct Handover {
    std::mutex mutex;
    std::condition_variable_any applied;
    bool done = false;

    void markDone()
    {
        std::lock_guard lock(mutex);
        done = true;
        applied.notify_all();
    }
};

} // namespace

ScanTask::ScanTask(QObject* context, const std::vector<Module>& targets, Routine routine, Callbacks callbacks)
    : context_(context), routine_(std::move(routine)), shared_(std::make_shared<Shared>())
{
    shared_->callbacks = std::move(callbacks);
    shared_->stop = stop_.get_token();
    shared_->running = static_cast<int>(targets.size());
    drivers_.reserve(targets.size());
    for (Module target : targets)
        drivers_.emplace_back([this, target, stop = stop_.get_token()] { drive(target, stop); });
}

ScanTask::~ScanTask()
{
    cancel();
    drivers_.clear(); // joins
}

void ScanTask::report(Module target, const ScanProgress& progress, const std::stop_token& stop)
{
    auto handover = std::make_shared<Handover>();
    post(context_, [shared = shared_, handover, target, progress] {
        if (!shared->stop.stop_requested())
            shared->callbacks.progress(target, progress);
        handover->markDone();
    });
    std::unique_lock lock(handover->mutex);
    handover->applied.wait(lock, stop, [&] { return handover->done; });
}

void ScanTask::drive(Module target, std::stop_token stop)
{
    ProgressSink sink([this, target, stop](const ScanProgress& progress) { report(target, progress, stop); }, stop);
    CategoryResult result = routine_(target, sink);
    const bool last = shared_->running.fetch_sub(1) == 1;
    post(context_, [shared = shared_, target, last, result = std::move(result)]() mutable {
        if (!shared->stop.stop_requested()) {
            shared->callbacks.targetFinished(target, std::move(result));
            if (last && !shared->stop.stop_requested())
                shared->callbacks.allFinished();
        }
        if (last && shared->callbacks.drained)
            shared->callbacks.drained();
    });
}
