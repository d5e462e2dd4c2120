#pragma once

#include <cstdint>

#include "platform/Memory.h"

// The installed physical memory and how much of it is in use.
struct MemoryInfo {
    // Never more than `total`.
    std::int64_t used = 0;
    std::int64_t total = 0;

    bool operator==(const MemoryInfo&) const = default;

    // Reads the system afresh; never fails: without page counts, `used` is 0.
    static MemoryInfo current();

    // Bytes in use: wired pages, plus the applications' anonymous pages less the purgeable ones
    // (never below zero), plus compressed pages, times the page size; at most `total`.
    static std::int64_t usedBytes(const platform::PageCounts& pages, std::int64_t pageSize, std::int64_t total);
};
