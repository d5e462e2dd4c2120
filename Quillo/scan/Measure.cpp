#include <algorithm>
#include <optional>

#include "platform/FileAttributes.h"
#include "scan/DiskScanner.h"
#include "scan/Measure.h"
#include "scan/FileSize.h"
#include "scan/PoolTasks.h"

namespace DiskScanner {

namespace {

using namespace platform;

// Looked at once per candidate: its date where it has none, and what it is, so that the cleaner
// can tell it is still the item that was reviewed.
constexpr AttributeKeys seenKeys =
    AttributeKey::type | AttributeKey::logicalSize | AttributeKey::modificationDate | AttributeKey::contentIdentifier;

std::optional<Fingerprint> fingerprintOf(const FileAttributes& attributes)
{
    if (!attributes.contentIdentifier)
        return std::nullopt;
    Fingerprint fingerprint;
    fingerprint.device = attributes.contentIdentifier->device;
    fingerprint.inode = attributes.contentIdentifier->inode;
    if (attributes.isRegularFile()) {
        fingerprint.length = attributes.logicalSize;
        fingerprint.modificationDate = attributes.modificationDate;
    }
    return fingerprint;
}

// Whether cleaning `location` would take something the scan leaves out: it is covered, or holds
// something covered.
bool takesWhatIsLeftOut(const std::filesystem::path& location, const PathPatterns& leftOut)
{
    return !leftOut.empty() && (leftOut.covers(location) || leftOut.coversSomethingInside(location));
}

std::optional<ScanItem> measureOne(Candidate& candidate, const ProgressSink& scan, MeasureOptions options)
{
    const std::stop_token& stop = scan.stopToken();
    if (stop.stop_requested() || takesWhatIsLeftOut(candidate.url, scan.leftOut()))
        return std::nullopt;
    // An extra location is the item's support, not the item: one left out stays, the item goes.
    std::erase_if(candidate.extraURLs, [&](const auto& extra) { return takesWhatIsLeftOut(extra, scan.leftOut()); });
    std::int64_t size = FileSize::allocated(candidate.url, stop);
    for (const auto& extra : candidate.extraURLs)
        size += FileSize::allocated(extra, stop);
    const auto attributes = size > 0 || options.keepEmpty ? readAttributes(candidate.url, seenKeys)
                                                          : Result<FileAttributes>::failure(ENOENT);
    // An empty entry is kept only while it is there at all.
    if (size <= 0 && !attributes)
        return std::nullopt;
    OptionalDate date = candidate.date;
    std::optional<Fingerprint> fingerprint;
    // Extra locations are not fingerprinted: they are support folders that change by nature.
    if (attributes) {
        date = date ? date : attributes->modificationDate;
        fingerprint = fingerprintOf(*attributes);
    }
    return ScanItem{std::move(candidate.url), std::move(candidate.name),      std::move(candidate.detail),
                    size,                     date,                           std::move(candidate.tags),
                    candidate.isRecommended,  std::move(candidate.iconURL),   std::move(candidate.extraURLs),
                    std::move(candidate.bundleID), fingerprint, std::nullopt, candidate.removal};
}

} // namespace

std::vector<ScanItem> measure(std::vector<Candidate> candidates, const ProgressSink& progress, MeasureOptions options)
{
    if (candidates.empty()) {
        progress(ScanProgress{0, "", 1.0});
        return {};
    }

    std::vector<ScanItem> items;
    std::int64_t foundBytes = 0;
    std::size_t done = 0;
    const auto count = static_cast<double>(candidates.size());
    takeAsFinished(
        candidates.size(),
        [&](std::size_t index) { return measureOne(candidates[index], progress, options); },
        [&](std::size_t, std::optional<ScanItem> item) {
            std::string path;
            if (item) {
                foundBytes += item->size;
                path = abbreviatedPath(item->url);
                items.push_back(std::move(*item));
            }
            progress(ScanProgress{foundBytes, std::move(path), static_cast<double>(++done) / count});
        });

    std::stable_sort(items.begin(), items.end(), [](const ScanItem& a, const ScanItem& b) { return a.size > b.size; });
    return items;
}

} // namespace DiskScanner
