#include "records/ScanOptions.h"

ScanOptions ScanOptions::fromStored(std::optional<std::int64_t> largeFileThresholdMB,
                                    std::optional<std::int64_t> oldDownloadDays)
{
    std::int64_t threshold = 0;
    if (!largeFileThresholdMB || __builtin_mul_overflow(*largeFileThresholdMB, bytesPerMegabyte, &threshold))
        threshold = defaultLargeFileThresholdMB * bytesPerMegabyte;
    return ScanOptions{threshold, oldDownloadDays.value_or(defaultOldDownloadDays)};
}
