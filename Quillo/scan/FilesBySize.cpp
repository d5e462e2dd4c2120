#include "platform/TreeWalk.h"
#include "scan/Duplicates.h"

namespace DiskScanner {

namespace {

using namespace platform;

constexpr AttributeKeys keys =
    AttributeKey::type | AttributeKey::logicalSize | AttributeKey::creationDate | AttributeKey::contentIdentifier;

} // namespace

FilesBySize filesBySize(const std::vector<std::filesystem::path>& roots, std::int64_t minimumSize,
                        std::stop_token stop)
{
    FilesBySize buckets;
    for (const auto& root : roots) {
        if (stop.stop_requested())
            break;
        WalkCollector<FileInfo> found;
        auto visit = [&](const WalkEntry& entry) {
            if (duplicateSkippedFolders().contains(entry.name()))
                return WalkDecision::skipDescendants;
            // Only what the listing calls a file (or cannot tell) is asked for its attributes.
            if (entry.type() == FileType::regular) {
                const FileAttributes* attributes = entry.attributes();
                if (attributes && attributes->isRegularFile() && attributes->logicalSize &&
                    *attributes->logicalSize >= minimumSize)
                    found.add(entry, FileInfo{entry.path(), *attributes->logicalSize, attributes->creationDate,
                                              attributes->contentIdentifier});
            }
            return WalkDecision::descend;
        };
        walkTree(root, WalkOptions{.skipHidden = true, .skipPackageDescendants = true, .keys = keys}, visit, stop);
        for (FileInfo& file : found.takeInWalkOrder())
            buckets[file.size].push_back(std::move(file));
    }
    return buckets;
}

} // namespace DiskScanner
