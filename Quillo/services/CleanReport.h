#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// What one call of the cleaner removed, freed and failed to remove. Every item given is in
// exactly one of the two lists, in the order given; extra locations are in neither. A clean that
// was asked to stop leaves the items it did not reach out of both.
struct CleanReport {
    std::vector<std::filesystem::path> removedURLs;
    // The sum of the removed items' sizes as their scans measured them.
    std::int64_t freedBytes = 0;
    std::vector<std::filesystem::path> failedURLs;
    // Why each of failedURLs failed, in the same order: "changed since the scan" or the system's
    // own words for its error.
    std::vector<std::string> failureReasons;

    bool operator==(const CleanReport&) const = default;
};
