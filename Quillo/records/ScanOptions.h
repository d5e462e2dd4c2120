#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "records/Hasher.h"

// The user's options that change what scans find.
struct ScanOptions {
    static constexpr std::int64_t defaultLargeFileThresholdMB = 250;
    static constexpr std::int64_t defaultOldDownloadDays = 30;
    static constexpr std::int64_t bytesPerMegabyte = 1'000'000;

    // Bytes from which a file counts as large.
    std::int64_t largeFileThreshold = defaultLargeFileThresholdMB * bytesPerMegabyte;
    // Age in days from which a download counts as old.
    std::int64_t oldDownloadDays = defaultOldDownloadDays;
    // What scans never offer nor enter, and the cleaner never removes: absolute paths and shell
    // patterns, "~" for the home folder (platform/PathPatterns.h).
    std::vector<std::string> keepPaths = {};

    // A fresh value from the user's stored preferences, each time it is called. Defined with the
    // preferences (core/), since reading them needs the preference store.
    static ScanOptions current();

    // The rule behind `current`: absent figures take the defaults; nothing is clamped, but a
    // megabyte figure whose byte count leaves the 64-bit range takes the default too.
    static ScanOptions fromStored(std::optional<std::int64_t> largeFileThresholdMB,
                                  std::optional<std::int64_t> oldDownloadDays);

    bool operator==(const ScanOptions&) const = default;
};

template <>
struct std::hash<ScanOptions> {
    std::size_t operator()(const ScanOptions& options) const noexcept
    {
        Hasher hasher;
        hasher.combine(options.largeFileThreshold);
        hasher.combine(options.oldDownloadDays);
        hasher.combine(options.keepPaths);
        return hasher.value();
    }
};
