#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/Trash.h"

// What one call of the cleaner removed, freed and failed to remove. Every item given is in
// exactly one of the two lists, in the order given; extra locations are in neither. A clean that
// was asked to stop leaves the items it did not reach out of both.
struct CleanReport {
    std::vector<std::filesystem::path> removedURLs;
    // The sum of the removed items' sizes as their scans measured them.
    std::int64_t freedBytes = 0;
    std::vector<std::filesystem::path> failedURLs;
    // Why each of failedURLs failed, in the same order: "changed since the scan", "kept: never
    // cleaned" and "holds a kept item: never cleaned", or the system's own words for its error.
    std::vector<std::string> failureReasons;
    // For each of removedURLs, in the same order: the Trash entries the item and its extra
    // locations became, where they could be told (none when deleted for good).
    std::vector<std::vector<platform::TrashEntry>> trashEntries;

    bool operator==(const CleanReport&) const = default;
};
