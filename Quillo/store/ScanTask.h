#pragma once

#include <functional>
#include <latch>
#include <memory>
#include <stop_token>
#include <thread>
#include <vector>

#include <QObject>

#include "records/CategoryResult.h"
#include "records/Module.h"
#include "store/ScanMailbox.h"
#include "scan/ProgressSink.h"

// One started scan: a driver thread per target runs the target's routine off the GUI thread and
// hands its reports and result over through a ScanMailbox. A routine that fails (an exception,
// such as running out of memory) delivers an empty result: a scan always finishes.
class ScanTask {
public:
    using Routine = std::function<CategoryResult(Module target, const ProgressSink& progress)>;
    using Callbacks = ScanCallbacks;

    // Starts the drivers at once. `context` lives on the GUI thread and outlives the task.
    // Throws std::system_error when the system cannot start a thread; nothing runs then.
    ScanTask(QObject* context, const std::vector<Module>& targets, Routine routine, Callbacks callbacks);
    // Cancels and waits for the drivers, which stop at their routine's next check.
    ~ScanTask();
    ScanTask(const ScanTask&) = delete;
    ScanTask& operator=(const ScanTask&) = delete;

    // Stops the routines cooperatively; nothing more reaches the callbacks.
    void cancel() { stop_.request_stop(); }
    bool isCancelled() const { return stop_.stop_requested(); }

private:
    void drive(Module target);

    Routine routine_;
    std::latch allStarted_;
    std::stop_source stop_;
    std::shared_ptr<ScanMailbox> mailbox_;
    std::vector<std::jthread> drivers_;
};
