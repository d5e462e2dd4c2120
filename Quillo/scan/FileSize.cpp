#include "scan/FileSize.h"

#include <functional>

#include <oneapi/tbb/combinable.h>

#include "platform/FileAttributes.h"
#include "platform/TreeWalk.h"

namespace FileSize {

namespace {

using namespace platform;

constexpr AttributeKeys keys = AttributeKey::type | AttributeKey::allocatedSize;

std::int64_t allocatedBelow(const std::filesystem::path& folder, std::stop_token stop,
                            const UnreadableFolderReport& unreadableFolder, Reach reach)
{
    tbb::combinable<std::int64_t> total([] { return std::int64_t{0}; });
    // Folders and links add nothing, so only what the listing calls a file (or cannot tell)
    // is asked for its size: one system call per file, none per folder.
    auto visit = [&](const WalkEntry& entry) {
        if (entry.type() == FileType::regular) {
            const FileAttributes* attributes = entry.attributes();
            if (attributes && attributes->isRegularFile())
                total.local() += attributes->allocatedSize.value_or(0);
        }
        return WalkDecision::descend;
    };
    // A file system mounted inside is not the item's to give back: removing the item leaves it.
    const WalkOptions options{.stayOnFileSystem = !reach.crossMounts,
                              .leaveOut = reach.leaveOut,
                              .keys = keys,
                              .unreadableFolder = unreadableFolder};
    walkTree(folder, options, visit, std::move(stop));
    return total.combine(std::plus<>());
}

} // namespace

std::int64_t allocated(const std::filesystem::path& location, std::stop_token stop,
                       const UnreadableFolderReport& unreadableFolder, Reach reach)
{
    if (reach.leaveOut && reach.leaveOut->covers(location))
        return 0;
    auto attributes = readAttributes(location, keys);
    if (!attributes || attributes->isSymbolicLink())
        return 0;
    if (!attributes->isDirectory())
        return attributes->allocatedSize.value_or(0);
    return allocatedBelow(location, std::move(stop), unreadableFolder, reach);
}

} // namespace FileSize
