#include "scan/duplicates/FilesBySize.h"
#include "scan/UserFiles.h"

namespace DiskScanner {

namespace {

using namespace platform;

constexpr AttributeKeys keys = AttributeKey::type | AttributeKey::logicalSize | AttributeKey::allocatedSize |
                               AttributeKey::creationDate | AttributeKey::modificationDate |
                               AttributeKey::contentIdentifier;

} // namespace

const FolderNames& duplicateSkippedFolders()
{
    static const FolderNames names = [] {
        FolderNames all = skippedFolders();
        all.insert({"build", "target", "dist", "vendor", "Library"});
        return all;
    }();
    return names;
}

FilesBySize filesBySize(const std::vector<std::filesystem::path>& roots, std::int64_t minimumSize,
                        const ProgressSink& scan)
{
    FilesBySize buckets;
    for (const auto& root : roots) {
        if (scan.isCancelled())
            break;
        WalkCollector<FileInfo> found;
        auto visit = [&](const WalkEntry& entry, const FileAttributes& attributes) {
            if (attributes.logicalSize && *attributes.logicalSize >= minimumSize)
                found.add(entry, FileInfo{entry.path(), *attributes.logicalSize, attributes.creationDate,
                                          attributes.contentIdentifier, attributes.allocatedSize,
                                          attributes.modificationDate});
        };
        walkUserFiles(root, duplicateSkippedFolders(), keys, visit, scan);
        for (FileInfo& file : found.takeInWalkOrder())
            buckets[file.size].push_back(std::move(file));
    }
    return buckets;
}

} // namespace DiskScanner
