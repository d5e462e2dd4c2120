#include "scan/routines/Duplicates.h"

#include <algorithm>

#include "scan/PoolTasks.h"
#include "scan/duplicates/IdenticalSets.h"
#include "scan/UserFiles.h"

namespace DiskScanner {

namespace {

constexpr std::size_t mostItems = 500;

// Oldest first; a file without a creation date counts as made in the most distant future.
bool createdEarlier(const FileInfo& a, const FileInfo& b) { return a.created && (!b.created || *a.created < *b.created); }

// What removing the file frees: a sparse file takes less than its length.
std::int64_t spaceTaken(const FileInfo& file) { return std::min(file.size, file.allocatedSize.value_or(file.size)); }

std::optional<Fingerprint> fingerprintOf(const FileInfo& file)
{
    if (!file.contentID)
        return std::nullopt;
    return Fingerprint{file.contentID->device, file.contentID->inode, file.size, file.modified};
}

// Offers every file of the set but the oldest, which stays on disk.
void offerCopies(IdenticalSets::value_type set, std::vector<ScanItem>& items, std::int64_t& foundBytes)
{
    std::ranges::stable_sort(set, createdEarlier);
    const std::string detail = "Copy of " + abbreviatedPath(set.front().url);
    for (auto copy = set.begin() + 1; copy != set.end(); ++copy) {
        ScanItem item;
        item.url = copy->url;
        item.name = copy->url.filename().string();
        item.detail = detail;
        item.size = spaceTaken(*copy);
        item.date = copy->created;
        item.tags = {ScanItem::Tag::copy};
        item.fingerprint = fingerprintOf(*copy);
        item.originalURL = set.front().url;
        foundBytes += item.size;
        items.push_back(std::move(item));
    }
}

// (index + 1) × 0.9 ÷ count + 0.1, which rounding can leave just short of 1.0 or beyond it
// at the last bucket; the last report is complete.
double bucketFraction(std::size_t index, std::size_t count)
{
    if (index + 1 == count)
        return 1.0;
    return static_cast<double>(index + 1) * 0.9 / static_cast<double>(count) + 0.1;
}

} // namespace

CategoryResult duplicates(const ProgressSink& progress)
{
    return findDuplicates(userContentRoots(), minimumDuplicateSize, progress);
}

CategoryResult findDuplicates(const std::vector<std::filesystem::path>& roots, std::int64_t minimumSize,
                              const ProgressSink& progress)
{
    progress(ScanProgress{0, "Listing files…", 0.02});
    std::vector<std::vector<FileInfo>> buckets;
    for (auto& [size, files] : filesBySize(roots, minimumSize, progress)) {
        if (files.size() >= 2)
            buckets.push_back(std::move(files));
    }
    if (buckets.empty()) {
        progress(ScanProgress{0, "", 1.0});
        return {};
    }

    std::vector<ScanItem> items;
    std::int64_t foundBytes = 0;
    bool stopped = false;
    // Sets are worked out on the pool ahead of the reports but taken one bucket after another, so
    // items and reports come out as they would one bucket at a time.
    takeInOrder(
        buckets.size(),
        [&](std::size_t index) {
            return progress.isCancelled() ? IdenticalSets() : identicalSets(buckets[index], progress.stopToken());
        },
        [&](std::size_t index, IdenticalSets sets) {
            stopped = stopped || progress.isCancelled();
            if (stopped)
                return;
            for (auto& set : sets)
                offerCopies(std::move(set), items, foundBytes);
            progress(ScanProgress{foundBytes, abbreviatedPath(buckets[index].front().url),
                                  bucketFraction(index, buckets.size())});
        });

    std::ranges::stable_sort(items, std::greater<>(), &ScanItem::size);
    if (items.size() > mostItems)
        items.resize(mostItems);
    return CategoryResult{std::move(items), false};
}

} // namespace DiskScanner
