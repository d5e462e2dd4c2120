#include "scan/routines/Trash.h"

#include "platform/DirectoryListing.h"
#include "platform/TrashFolders.h"
#include "platform/Volume.h"
#include "platform/WellKnownFolders.h"
#include "scan/DiskScanner.h"
#include "scan/Measure.h"
#include "scan/SystemAnswers.h"

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

void addEntries(std::vector<platform::DirectoryEntry> entries, const std::string& detail,
                std::vector<Candidate>& candidates)
{
    for (auto& entry : entries) {
        if (entry.name == ".DS_Store")
            continue;
        Candidate candidate;
        candidate.url = std::move(entry.path);
        candidate.name = std::move(entry.name);
        candidate.detail = detail;
        candidate.isRecommended = true;
        candidates.push_back(std::move(candidate));
    }
}

// What the user threw away on other drives, in the trashes at their tops. A trash that cannot be
// listed adds nothing: only the home trash speaks for access.
void addOtherVolumesTrashes(std::vector<Candidate>& candidates)
{
    const auto homeTrash = platform::WellKnownFolders::trashFiles(home()).parent_path();
    for (const auto& trash : platform::topDirectoryTrashes(mountedFileSystems(), homeTrash)) {
        if (auto listing = platform::listDirectory(trash.folder / "files"))
            addEntries(std::move(listing).value(), "In the Trash on " + platform::volumeName(trash.mount), candidates);
    }
}

} // namespace

CategoryResult trash(const ProgressSink& progress)
{
    auto listing = listTrash();
    if (!listing && (isPermissionError(listing.error()) || !platform::WellKnownFolders::linuxPlaces)) {
        progress(ScanProgress{0, "", 1.0});
        return CategoryResult{{}, isPermissionError(listing.error())};
    }
    std::vector<Candidate> candidates;
    // A home trash that was never made leaves the other drives' trashes to list.
    if (listing)
        addEntries(std::move(listing).value(), "In the Trash", candidates);
    if constexpr (platform::WellKnownFolders::linuxPlaces)
        addOtherVolumesTrashes(candidates);
    // Empty files and folders and links take no space, yet taking out the Trash must take them too.
    return CategoryResult{measure(std::move(candidates), progress, MeasureOptions{.keepEmpty = true}), false};
}

} // namespace DiskScanner
