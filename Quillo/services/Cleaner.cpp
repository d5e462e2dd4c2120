#include "services/Cleaner.h"

#include <algorithm>
#include <optional>
#include <string>

#include "platform/DirectoryListing.h"
#include "platform/FlatpakApps.h"
#include "platform/MountPoints.h"
#include "platform/PermanentRemoval.h"
#include "platform/RemovalGuard.h"
#include "platform/Trash.h"
#include "services/UnchangedSinceScan.h"

namespace Cleaner {

namespace {

namespace fs = std::filesystem;

// How removing one location went.
struct Removal {
    // Empty when it went.
    std::error_code error;
    // Nothing of it is left, so its scanned size is what went.
    bool whole = false;
    // What went, where not the whole of it did.
    std::int64_t removedBytes = 0;
};

bool isWithin(const fs::path& path, const fs::path& folder)
{
    auto [folderEnd, pathIt] = std::mismatch(folder.begin(), folder.end(), path.begin(), path.end());
    return folderEnd == folder.end();
}

using TrashEntries = std::vector<platform::TrashEntry>;

// Moves to the Trash, noting the entry it became so that the clean can be undone.
platform::Outcome moveToTrash(const fs::path& location, TrashEntries& trashed, const platform::RemovalCheck& check = {})
{
    auto moved = platform::moveToTrash(location, check);
    if (!moved)
        return moved.error();
    if (*moved)
        trashed.push_back(std::move(**moved));
    return platform::success();
}

// Moving a folder carries what is mounted below it into the Trash, which could then never delete
// it. Such a folder goes entry by entry instead, all but the mount points and the folders that
// lead to them, which stay where they are.
platform::Outcome trashAround(const fs::path& folder, const std::vector<fs::path>& mountPoints, TrashEntries& trashed)
{
    auto entries = platform::listDirectory(folder);
    if (!entries)
        return entries.error();
    platform::Outcome outcome = platform::success();
    for (const auto& entry : *entries) {
        platform::Outcome moved = platform::success();
        if (std::ranges::find(mountPoints, entry.path) != mountPoints.end())
            continue;
        if (std::ranges::any_of(mountPoints, [&](const fs::path& mount) { return isWithin(mount, entry.path); }))
            moved = trashAround(entry.path, mountPoints, trashed);
        else
            moved = moveToTrash(entry.path, trashed);
        if (outcome && !moved)
            outcome = moved;
    }
    return outcome;
}

platform::Outcome trash(const fs::path& location, TrashEntries& trashed, const platform::RemovalCheck& check)
{
    const auto mountPoints = platform::mountPointsBelow(location);
    if (mountPoints.empty())
        return moveToTrash(location, trashed, check);
    // Guarded as the item itself would be: its entries must not go where it may not.
    if (auto target = platform::openRemovalTarget(location, check); !target)
        return target.error();
    return trashAround(location, mountPoints, trashed);
}

Removal remove(const fs::path& location, bool permanently, std::vector<fs::path>& deletedForGood,
               TrashEntries& trashed, const platform::RemovalCheck& check = {})
{
    if (!permanently) {
        const auto moved = trash(location, trashed, check);
        return {moved.error(), moved.ok()};
    }
    const auto removed = platform::removePermanently(location, check);
    // Only once the item is wholly gone: a Trash entry that partly survived keeps its record, so
    // the desktop can still show and restore it.
    if (removed.whole()) {
        platform::forgetTrashedItem(location);
        deletedForGood.push_back(location);
    }
    return {removed.error, removed.whole(), removed.removedBytes};
}

// Why what the user keeps stays, when `location` is or holds such a thing: no caller can clean it.
std::optional<std::string> keptReason(const fs::path& location, const platform::PathPatterns& kept)
{
    if (kept.empty())
        return std::nullopt;
    if (kept.covers(location))
        return "kept: never cleaned";
    if (kept.coversSomethingInside(location))
        return "holds a kept item: never cleaned";
    return std::nullopt;
}

// A Flatpak application goes through Flatpak's uninstall alone, never as files, and only while
// its folder is the one the scan saw: an uninstall and a new install since make a new one.
Removal uninstall(const ScanItem& item)
{
    platform::Outcome outcome = stillTheScannedEntry(item);
    if (outcome)
        outcome = platform::uninstallFlatpakApp(item.url);
    return {outcome.error(), outcome.ok()};
}

} // namespace

CleanReport clean(const std::vector<ScanItem>& items, bool permanently, std::stop_token stop,
                  const platform::PathPatterns& kept)
{
    CleanReport report;
    std::vector<std::filesystem::path> deletedForGood;
    for (const auto& item : items) {
        if (stop.stop_requested())
            break;
        if (auto reason = keptReason(item.url, kept)) {
            report.failedURLs.push_back(item.url);
            report.failureReasons.push_back(std::move(*reason));
            continue;
        }
        TrashEntries trashed;
        const Removal removal = item.removal == ScanItem::Removal::flatpakUninstall
                                    ? uninstall(item)
                                    : remove(item.url, permanently, deletedForGood, trashed, unchangedSinceScan(item));
        report.freedBytes += removal.whole ? item.size : removal.removedBytes;
        if (removal.error) {
            report.failedURLs.push_back(item.url);
            report.failureReasons.push_back(removal.error.message());
            continue;
        }
        // Not checked against the scan: extra locations are support folders, which change by
        // nature while their application lives.
        for (const auto& extra : item.extraURLs) {
            if (!keptReason(extra, kept))
                (void)remove(extra, permanently, deletedForGood, trashed);
        }
        report.removedURLs.push_back(item.url);
        // An uninstalled application does not come back from the Trash, so nothing of it is
        // offered for undoing: its data stays in the Trash for whoever wants it.
        if (item.removal == ScanItem::Removal::flatpakUninstall)
            trashed.clear();
        report.trashEntries.push_back(std::move(trashed));
    }
    // Once per clean: rewritten per item, the Trash's cache of folder sizes made emptying a Trash
    // of thousands of folders twenty times slower.
    platform::forgetDirectorySizes(deletedForGood);
    return report;
}

} // namespace Cleaner
