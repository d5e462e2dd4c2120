#include "scan/routines/Trash.h"

#include "platform/DirectoryListing.h"
#include "platform/TrashFolders.h"
#include "platform/WellKnownFolders.h"
#include "scan/DiskScanner.h"
#include "scan/Measure.h"

namespace DiskScanner {

namespace {

// The Trash's entries; a Trash whose own folders are links is refused like an unreadable one, so
// that nothing it leads to is offered for deletion.
platform::Result<std::vector<platform::DirectoryEntry>> listTrash()
{
    const auto files = platform::WellKnownFolders::trashFiles(home());
    if (auto usable = platform::checkTrashFolders(files.parent_path()); !usable)
        return usable.error();
    return platform::listDirectory(files);
}

} // namespace

CategoryResult trash(const ProgressSink& progress)
{
    auto listing = listTrash();
    if (!listing) {
        progress(ScanProgress{0, "", 1.0});
        return CategoryResult{{}, isPermissionError(listing.error())};
    }
    std::vector<Candidate> candidates;
    for (auto& entry : *listing) {
        if (entry.name == ".DS_Store")
            continue;
        Candidate candidate;
        candidate.url = std::move(entry.path);
        candidate.name = std::move(entry.name);
        candidate.detail = "In the Trash";
        candidate.isRecommended = true;
        candidates.push_back(std::move(candidate));
    }
    // Empty files and folders and links take no space, yet taking out the Trash must take them too.
    return CategoryResult{measure(std::move(candidates), progress, MeasureOptions{.keepEmpty = true}), false};
}

} // namespace DiskScanner
