#include "scan/UserFiles.h"

#include "platform/DirectoryListing.h"
#include "platform/WellKnownFolders.h"

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

void walkUserFiles(const std::filesystem::path& root, const FolderNames& pruned, platform::AttributeKeys keys,
                   const RegularFileVisitor& visit, std::stop_token stop)
{
    using namespace platform;
    auto visitEntry = [&](const WalkEntry& entry) {
        if (pruned.contains(entry.name()))
            return WalkDecision::skipDescendants;
        // Only what the listing calls a file (or cannot tell) is asked for its attributes.
        if (entry.type() == FileType::regular) {
            const FileAttributes* attributes = entry.attributes();
            if (attributes && attributes->isRegularFile())
                visit(entry, *attributes);
        }
        return WalkDecision::descend;
    };
    walkTree(root, WalkOptions{.skipHidden = true, .skipPackageDescendants = true, .keys = keys}, visitEntry,
             std::move(stop));
}

} // namespace DiskScanner
