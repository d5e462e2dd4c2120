#include "scan/UserFiles.h"

#include "platform/DirectoryListing.h"
#include "platform/FileDescriptor.h"
#include "platform/RemovalGuard.h"
#include "platform/WellKnownFolders.h"

namespace DiskScanner {

std::vector<std::filesystem::path> userContentRoots()
{
    namespace folders = platform::WellKnownFolders;
    std::vector<std::filesystem::path> roots;
    auto listing = platform::listDirectory(home(), {.skipHidden = true});
    auto homeFolder = platform::openDirectory(home(), platform::FinalLink::follow);
    if (!listing || !homeFolder)
        return roots;
    for (auto& entry : *listing) {
        if (entry.name == folders::library || entry.name == folders::userApplications)
            continue;
        const bool mayBeFolder = entry.type == platform::FileType::directory || entry.type == platform::FileType::unknown;
        if (mayBeFolder && platform::isMountRootAt(homeFolder->get(), entry.name.c_str()))
            continue;
        roots.push_back(std::move(entry.path));
    }
    return roots;
}

void walkUserFiles(const std::filesystem::path& root, const FolderNames& pruned, platform::AttributeKeys keys,
                   const RegularFileVisitor& visit, const ProgressSink& scan)
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
    const WalkOptions options{.skipHidden = true,
                              .skipPackageDescendants = true,
                              .stayOnFileSystem = true,
                              .leaveOut = scan.leftOutIfAny(),
                              .keys = keys};
    walkTree(root, options, visitEntry, scan.stopToken());
}

} // namespace DiskScanner
