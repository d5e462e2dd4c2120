#include "scan/HomeRoots.h"

#include "platform/DirectoryListing.h"
#include "platform/WellKnownFolders.h"
#include "scan/DiskScanner.h"

namespace DiskScanner {

std::vector<std::filesystem::path> userContentRoots()
{
    namespace folders = platform::WellKnownFolders;
    std::vector<std::filesystem::path> roots;
    auto listing = platform::listDirectory(home(), {.skipHidden = true});
    if (!listing)
        return roots;
    for (auto& entry : *listing) {
        if (entry.name != folders::library && entry.name != folders::userApplications)
            roots.push_back(std::move(entry.path));
    }
    return roots;
}

} // namespace DiskScanner
