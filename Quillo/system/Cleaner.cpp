#include "system/Cleaner.h"

#include "platform/PermanentRemoval.h"
#include "platform/Trash.h"

namespace Cleaner {

namespace {

platform::Outcome remove(const std::filesystem::path& location, bool permanently,
                         std::vector<std::filesystem::path>& deletedForGood)
{
    if (!permanently)
        return platform::moveToTrash(location);
    auto removed = platform::removePermanently(location);
    // Only once the item is wholly gone: a Trash entry that partly survived keeps its record, so
    // the desktop can still show and restore it.
    if (removed) {
        platform::forgetTrashedItem(location);
        deletedForGood.push_back(location);
    }
    return removed;
}

} // namespace

CleanReport clean(const std::vector<ScanItem>& items, bool permanently, std::stop_token stop)
{
    CleanReport report;
    std::vector<std::filesystem::path> deletedForGood;
    for (const auto& item : items) {
        if (stop.stop_requested())
            break;
        if (!remove(item.url, permanently, deletedForGood)) {
            report.failedURLs.push_back(item.url);
            continue;
        }
        for (const auto& extra : item.extraURLs)
            (void)remove(extra, permanently, deletedForGood);
        report.removedURLs.push_back(item.url);
        report.freedBytes += item.size;
    }
    // Once per clean: rewritten per item, the Trash's cache of folder sizes made emptying a Trash
    // of thousands of folders twenty times slower.
    platform::forgetDirectorySizes(deletedForGood);
    return report;
}

} // namespace Cleaner
