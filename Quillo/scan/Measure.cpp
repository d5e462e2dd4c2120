#include <algorithm>
#include <optional>

#include <oneapi/tbb/concurrent_queue.h>
#include <oneapi/tbb/task_group.h>

#include "platform/FileAttributes.h"
#include "platform/WorkPool.h"
#include "scan/DiskScanner.h"
#include "scan/FileSize.h"

namespace DiskScanner {

namespace {

std::optional<ScanItem> measureOne(Candidate& candidate, const std::stop_token& stop)
{
    if (stop.stop_requested())
        return std::nullopt;
    std::int64_t size = FileSize::allocated(candidate.url, stop);
    for (const auto& extra : candidate.extraURLs)
        size += FileSize::allocated(extra, stop);
    if (size <= 0)
        return std::nullopt;
    OptionalDate date = candidate.date;
    if (!date) {
        auto attributes = platform::readAttributes(candidate.url, platform::AttributeKey::modificationDate);
        if (attributes)
            date = attributes->modificationDate;
    }
    return ScanItem{std::move(candidate.url), std::move(candidate.name),      std::move(candidate.detail),
                    size,                     date,                           std::move(candidate.tags),
                    candidate.isRecommended,  std::move(candidate.iconURL),   std::move(candidate.extraURLs),
                    std::move(candidate.bundleID)};
}

} // namespace

std::vector<ScanItem> measure(std::vector<Candidate> candidates, const ProgressSink& progress)
{
    if (candidates.empty()) {
        progress(ScanProgress{0, "", 1.0});
        return {};
    }

    tbb::concurrent_bounded_queue<std::optional<ScanItem>> finished;
    tbb::task_group group;
    auto& pool = platform::workPool();
    pool.execute([&] {
        for (Candidate& candidate : candidates)
            group.run([&] { finished.push(measureOne(candidate, progress.stopToken())); });
    });

    std::vector<ScanItem> items;
    std::int64_t foundBytes = 0;
    const auto count = static_cast<double>(candidates.size());
    for (std::size_t done = 1; done <= candidates.size(); ++done) {
        std::optional<ScanItem> item;
        finished.pop(item);
        std::string path;
        if (item) {
            foundBytes += item->size;
            path = abbreviatedPath(item->url);
            items.push_back(std::move(*item));
        }
        progress(ScanProgress{foundBytes, std::move(path), static_cast<double>(done) / count});
    }
    pool.execute([&] { group.wait(); });

    std::stable_sort(items.begin(), items.end(), [](const ScanItem& a, const ScanItem& b) { return a.size > b.size; });
    return items;
}

} // namespace DiskScanner
