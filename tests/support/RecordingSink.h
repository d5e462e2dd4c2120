#pragma once

#include <atomic>
#include <chrono>
#include <stop_token>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "scan/ProgressSink.h"

// Records every report a scan makes, and checks that reports never overlap: each must return
// before the next one is made.
struct RecordingSink {
    std::vector<ScanProgress> reports;
    std::atomic<bool> inReport{false};
    std::chrono::milliseconds delay{0};

    ProgressSink sink(std::stop_token stop = {})
    {
        return ProgressSink(
            [this](const ScanProgress& progress) {
                EXPECT_FALSE(inReport.exchange(true)) << "reports overlap";
                std::this_thread::sleep_for(delay);
                reports.push_back(progress);
                inReport = false;
            },
            std::move(stop));
    }

    std::vector<double> fractions() const
    {
        std::vector<double> values;
        for (const auto& report : reports)
            values.push_back(report.fraction);
        return values;
    }
};
