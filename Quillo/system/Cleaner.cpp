#include "system/Cleaner.h"

#include "platform/PermanentRemoval.h"
#include "platform/Trash.h"
#include "system/UnchangedSinceScan.h"

namespace Cleaner {

namespace {

platform::Outcome remove(const std::filesystem::path& location, bool permanently,
                         const platform::RemovalCheck& check = {})
{
    if (!permanently)
        return platform::moveToTrash(location, check);
    auto removed = platform::removePermanently(location, check);
    // Only once the item is wholly gone: a Trash entry that partly survived keeps its record, so
    // the desktop can still show and restore it.
    if (removed)
        platform::forgetTrashedItem(location);
    return removed;
}

} // namespace

CleanReport clean(const std::vector<ScanItem>& items, bool permanently)
{
    CleanReport report;
    for (const auto& item : items) {
        if (auto removed = remove(item.url, permanently, unchangedSinceScan(item)); !removed) {
            report.failedURLs.push_back(item.url);
            report.failureReasons.push_back(removed.error().message());
            continue;
        }
        // Not checked against the scan: extra locations are support folders, which change by
        // nature while their application lives.
        for (const auto& extra : item.extraURLs)
            (void)remove(extra, permanently);
        report.removedURLs.push_back(item.url);
        report.freedBytes += item.size;
    }
    return report;
}

} // namespace Cleaner
