#include "scan/Trash.h"

#include "platform/DirectoryListing.h"
#include "platform/WellKnownFolders.h"
#include "scan/DiskScanner.h"

namespace DiskScanner {

CategoryResult trash(const ProgressSink& progress)
{
    auto listing = platform::listDirectory(platform::WellKnownFolders::trashFiles(home()));
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
    return CategoryResult{measure(std::move(candidates), progress), false};
}

} // namespace DiskScanner
