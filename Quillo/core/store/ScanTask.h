#pragma once

#include <functional>
#include <memory>
#include <stop_token>
#include <thread>
#include <vector>

#include <QObject>
#include <QPointer>

#include "core/records/CategoryResult.h"
#include "core/records/Module.h"
#include "scan/ProgressSink.h"

// One started scan: a driver thread per target runs the target's routine off the GUI thread.
// Results travel to the GUI thread through `context`'s event loop. Each progress report is applied
// on the GUI thread before the routine goes on; a routine whose work runs on the pool has its
// results taken on the GUI thread itself, so those reports need no hand-over at all. A driver
// that waits for the GUI thread stops waiting when the scan is cancelled, so a cancel or a quit
// can never leave it waiting forever.
//
// Reports come thousands a second, and waking the GUI thread through its event loop costs tens of
// microseconds each time; so the GUI thread, once woken, takes results and applies reports as
// they come for a few milliseconds before it returns to its event loop.
class ScanTask {
public:
    using Routine = std::function<CategoryResult(Module target, const ProgressSink& progress)>;

    struct Callbacks {
        // Each runs on the GUI thread, never after cancel().
        std::function<void(Module target, const ScanProgress& progress)> progress;
        std::function<void(Module target, CategoryResult result)> targetFinished;
        std::function<void()> allFinished;
        // Runs on the GUI thread once every driver has returned, cancelled or not: the task
        // may then be destroyed without waiting.
        std::function<void()> drained;
    };

    // Starts the drivers at once. `context` lives on the GUI thread and outlives the task.
    ScanTask(QObject* context, const std::vector<Module>& targets, Routine routine, Callbacks callbacks);
    // Cancels and waits for the drivers, which stop at their routine's next check.
    ~ScanTask();
    ScanTask(const ScanTask&) = delete;
    ScanTask& operator=(const ScanTask&) = delete;

    // Stops the routines cooperatively; nothing more reaches the callbacks.
    void cancel() { stop_.request_stop(); }
    bool isCancelled() const { return stop_.stop_requested(); }

private:
    struct Shared;
    struct DriverLine;
    void drive(DriverLine& line);

    Routine routine_;
    std::shared_ptr<Shared> shared_;
    std::stop_source stop_;
    std::vector<std::jthread> drivers_;
};
