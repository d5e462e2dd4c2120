#pragma once

#include <functional>
#include <stop_token>
#include <utility>

#include "scan/ScanProgress.h"

// A scan routine's line to whoever runs it: reports go out through it one at a time, and each
// call returns only once the report was handled (or the scan was cancelled), so a routine never
// runs ahead of what the user sees. It also carries the scan's cancellation.
class ProgressSink {
public:
    using Report = std::function<void(const ScanProgress&)>;

    // Reports nowhere; never cancelled.
    ProgressSink() = default;
    explicit ProgressSink(Report report, std::stop_token stop = {}) : report_(std::move(report)), stop_(std::move(stop)) {}

    void operator()(const ScanProgress& progress) const
    {
        if (report_)
            report_(progress);
    }

    bool isCancelled() const { return stop_.stop_requested(); }
    const std::stop_token& stopToken() const { return stop_; }

private:
    Report report_;
    std::stop_token stop_;
};
