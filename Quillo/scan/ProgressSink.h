#pragma once

#include <functional>
#include <stop_token>
#include <utility>

#include "scan/ScanProgress.h"

class ResultTaker;

// A scan routine's line to whoever runs it: reports go out through it one at a time, and each
// call returns only once the report was handled (or the scan was cancelled), so a routine never
// runs ahead of what the user sees. It also carries the scan's cancellation, and may carry a
// taker for the routine's results.
class ProgressSink {
public:
    using Report = std::function<void(const ScanProgress&)>;

    // Reports nowhere; never cancelled.
    ProgressSink() = default;
    explicit ProgressSink(Report report, std::stop_token stop = {}, ResultTaker* taker = nullptr)
        : report_(std::move(report)), stop_(std::move(stop)), taker_(taker)
    {
    }

    void operator()(const ScanProgress& progress) const
    {
        if (report_)
            report_(progress);
    }

    bool isCancelled() const { return stop_.stop_requested(); }
    const std::stop_token& stopToken() const { return stop_; }
    // Null when the routine takes its results itself.
    ResultTaker* taker() const { return taker_; }

private:
    Report report_;
    std::stop_token stop_;
    ResultTaker* taker_ = nullptr;
};
