#include "store/ScanTask.h"

ScanTask::ScanTask(QObject* context, const std::vector<Module>& targets, Routine routine, Callbacks callbacks)
    : routine_(std::move(routine)), allStarted_(static_cast<std::ptrdiff_t>(targets.size())),
      mailbox_(std::make_shared<ScanMailbox>(context, targets, std::move(callbacks), stop_.get_token()))
{
    drivers_.reserve(targets.size());
    try {
        for (Module target : targets) {
            drivers_.emplace_back([this, target] {
                // Under a limit on threads the work pool counts what it may still start when a
                // routine first uses it: only once every driver has started.
                allStarted_.wait();
                drive(target);
            });
            allStarted_.count_down();
        }
    } catch (...) {
        cancel();
        allStarted_.count_down(static_cast<std::ptrdiff_t>(targets.size() - drivers_.size()));
        drivers_.clear(); // joins the ones that started
        throw;
    }
}

ScanTask::~ScanTask()
{
    cancel();
    drivers_.clear(); // joins
}

void ScanTask::drive(Module target)
{
    ScanMailbox& mailbox = *mailbox_;
    ProgressSink sink([&mailbox, target](const ScanProgress& progress) { mailbox.report(target, progress); },
                      stop_.get_token());
    DiskScanner::ResultTaker::Scope takenOnTheStoreThread(mailbox.takerFor(target));
    CategoryResult result;
    try {
        result = routine_(target, sink);
    } catch (...) {
        // What it found is lost with it; the scan still finishes.
    }
    mailbox.finish(target, std::move(result));
}
