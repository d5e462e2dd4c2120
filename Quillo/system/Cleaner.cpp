#include "system/Cleaner.h"

#include "platform/PermanentRemoval.h"
#include "platform/Trash.h"

namespace Cleaner {

namespace {

namespace fs = std::filesystem;

// How removing one location went.
struct Removal {
    bool succeeded = false;
    // Nothing of it is left, so its scanned size is what went.
    bool whole = false;
    // What went, where not the whole of it did.
    std::int64_t removedBytes = 0;
};

Removal remove(const fs::path& location, bool permanently)
{
    if (!permanently) {
        const bool moved = platform::moveToTrash(location).ok();
        return {moved, moved};
    }
    const auto removed = platform::removePermanently(location);
    // Only once the item is wholly gone: a Trash entry that partly survived keeps its record, so
    // the desktop can still show and restore it.
    if (removed.whole())
        platform::forgetTrashedItem(location);
    return {removed.ok(), removed.whole(), removed.removedBytes};
}

} // namespace

CleanReport clean(const std::vector<ScanItem>& items, bool permanently)
{
    CleanReport report;
    for (const auto& item : items) {
        const Removal removal = remove(item.url, permanently);
        report.freedBytes += removal.whole ? item.size : removal.removedBytes;
        if (!removal.succeeded) {
            report.failedURLs.push_back(item.url);
            continue;
        }
        for (const auto& extra : item.extraURLs)
            (void)remove(extra, permanently);
        report.removedURLs.push_back(item.url);
    }
    return report;
}

} // namespace Cleaner
