#pragma once

#include <functional>
#include <memory>
#include <stop_token>
#include <utility>

#include "platform/PathPatterns.h"
#include "scan/ScanProgress.h"

// A scan routine's line to whoever runs it: reports go out through it one at a time, and each
// call returns only once the report was handled (or the scan was cancelled), so a routine never
// runs ahead of what the user sees. It also carries what the runner asks of the whole scan: its
// cancellation, and what it must leave out (the user's keep list), which reaches every stage the
// sink is handed to.
class ProgressSink {
public:
    using Report = std::function<void(const ScanProgress&)>;

    // Reports nowhere; never cancelled; leaves nothing out.
    ProgressSink() = default;
    explicit ProgressSink(Report report, std::stop_token stop = {},
                          std::shared_ptr<const platform::PathPatterns> leftOut = {})
        : report_(std::move(report)), stop_(std::move(stop)), leftOut_(std::move(leftOut))
    {
    }

    void operator()(const ScanProgress& progress) const
    {
        if (report_)
            report_(progress);
    }

    bool isCancelled() const { return stop_.stop_requested(); }
    const std::stop_token& stopToken() const { return stop_; }

    // Nothing covered by these is offered, measured into an item or entered by a walk.
    const platform::PathPatterns& leftOut() const
    {
        static const platform::PathPatterns nothing;
        return leftOut_ ? *leftOut_ : nothing;
    }
    const platform::PathPatterns* leftOutIfAny() const { return leftOut_ && !leftOut_->empty() ? leftOut_.get() : nullptr; }

    // The same scan, reporting to `report` instead.
    ProgressSink reportingTo(Report report) const { return ProgressSink(std::move(report), stop_, leftOut_); }
    // The same scan, leaving out `leftOut` instead.
    ProgressSink leavingOut(std::shared_ptr<const platform::PathPatterns> leftOut) const
    {
        return ProgressSink(report_, stop_, std::move(leftOut));
    }

private:
    Report report_;
    std::stop_token stop_;
    std::shared_ptr<const platform::PathPatterns> leftOut_;
};
