#include "scan/routines/LargeFiles.h"

#include <algorithm>

#include "scan/AgeCutoff.h"
#include "scan/DiskScanner.h"
#include "scan/PoolTasks.h"
#include "scan/SystemAnswers.h"
#include "scan/UserFiles.h"

namespace DiskScanner {

namespace {

using namespace platform;

constexpr AttributeKeys keys =
    AttributeKey::type | AttributeKey::allocatedSize | AttributeKey::accessDate | AttributeKey::modificationDate;
constexpr std::int64_t oldAfterDays = 180;
constexpr std::size_t mostItems = 500;

bool isLarge(const FileAttributes& attributes, std::int64_t threshold)
{
    return attributes.isRegularFile() && attributes.allocatedSize.value_or(0) >= threshold;
}

ScanItem largeFileItem(const std::filesystem::path& file, const FileAttributes& attributes, Date cutoff)
{
    ScanItem item;
    item.url = file;
    item.name = file.filename().string();
    item.detail = abbreviatedPath(file.parent_path());
    item.size = attributes.allocatedSize.value_or(0);
    item.date = attributes.accessDate ? attributes.accessDate : attributes.modificationDate;
    if (item.date && *item.date < cutoff)
        item.tags.push_back(ScanItem::Tag::old);
    return item;
}

} // namespace

std::vector<ScanItem> findLargeFiles(const std::filesystem::path& root, std::int64_t threshold, const ProgressSink& scan)
{
    const Date cutoff = daysBefore(now(), oldAfterDays);
    std::vector<ScanItem> items;
    if (scan.leftOut().covers(root))
        return items;
    auto rootAttributes = readAttributes(root, keys);
    if (rootAttributes && isLarge(*rootAttributes, threshold))
        items.push_back(largeFileItem(root, *rootAttributes, cutoff));

    WalkCollector<ScanItem> found;
    auto visit = [&](const WalkEntry& entry, const FileAttributes& attributes) {
        if (isLarge(attributes, threshold))
            found.add(entry, largeFileItem(entry.path(), attributes, cutoff));
    };
    walkUserFiles(root, skippedFolders(), keys, visit, scan);
    std::ranges::move(found.takeInWalkOrder(), std::back_inserter(items));
    return items;
}

CategoryResult largeFiles(std::int64_t threshold, const ProgressSink& progress)
{
    const auto roots = userContentRoots();
    if (roots.empty()) {
        progress(ScanProgress{0, "", 1.0});
        return {};
    }
    std::vector<std::vector<ScanItem>> itemsByRoot(roots.size());
    std::int64_t foundBytes = 0;
    std::size_t finished = 0;
    takeAsFinished(
        roots.size(), [&](std::size_t index) { return findLargeFiles(roots[index], threshold, progress); },
        [&](std::size_t index, std::vector<ScanItem> items) {
            for (const ScanItem& item : items)
                foundBytes += item.size;
            itemsByRoot[index] = std::move(items);
            progress(ScanProgress{foundBytes, abbreviatedPath(roots[index]),
                                  static_cast<double>(++finished) / static_cast<double>(roots.size())});
        });

    // Gathered in the order of the roots, not of their finishing, so that ties at the cap are
    // settled the same way every time.
    std::vector<ScanItem> all;
    for (auto& items : itemsByRoot)
        std::ranges::move(items, std::back_inserter(all));
    std::ranges::stable_sort(all, std::greater<>(), &ScanItem::size);
    if (all.size() > mostItems)
        all.resize(mostItems);
    return CategoryResult{std::move(all), false};
}

} // namespace DiskScanner
