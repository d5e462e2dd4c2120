#include "system/Cleaner.h"

#include "platform/PermanentRemoval.h"
#include "platform/Trash.h"

namespace Cleaner {

namespace {

platform::Outcome remove(const std::filesystem::path& location, bool permanently)
{
    if (!permanently)
        return platform::moveToTrash(location);
    auto removed = platform::removePermanently(location);
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
        if (!remove(item.url, permanently)) {
            report.failedURLs.push_back(item.url);
            continue;
        }
        for (const auto& extra : item.extraURLs)
            (void)remove(extra, permanently);
        report.removedURLs.push_back(item.url);
        report.freedBytes += item.size;
    }
    return report;
}

} // namespace Cleaner
