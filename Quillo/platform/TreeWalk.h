#pragma once

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include <oneapi/tbb/enumerable_thread_specific.h>

#include "platform/FileAttributes.h"
#include "platform/PathPatterns.h"

namespace platform {

enum class WalkDecision : std::uint8_t { descend, skipDescendants };

// Told of a folder a walk could not read, with the system's error.
using UnreadableFolderReport = std::function<void(const std::filesystem::path& folder, std::error_code error)>;

struct WalkOptions {
    // Entries whose name starts with "." are neither visited nor entered.
    bool skipHidden = false;
    // Packages (platform/Packages.h) are visited but not entered.
    bool skipPackageDescendants = false;
    // Folders where another file system is mounted are neither visited nor entered, bind mounts
    // included where the system tells (see isMountRootAt in RemovalGuard.h), as `du -x` does.
    bool stayOnFileSystem = false;
    // Entries these cover are neither visited nor entered, and a covered root leaves nothing to
    // visit. Matched against the root made absolute. Must outlive the walk.
    const PathPatterns* leaveOut = nullptr;
    // What WalkEntry::attributes reads; the type is always read.
    AttributeKeys keys = AttributeKey::type;
    // Told of each folder, the root included, that could not be opened or listed to its end, with
    // the system's error; called from the walk's threads, possibly at the same time. A walk
    // stopped on request reports nothing for the folders it left.
    UnreadableFolderReport unreadableFolder = {};
};

// Where an entry stands in the order a serial depth-first walk visits entries: its position in
// each folder listing from the root down. Comparing two orders compares walk positions.
using WalkOrder = std::vector<std::uint32_t>;

struct WalkFolder;

// One entry met by the walk, valid only during the visit.
class WalkEntry {
public:
    std::string_view name() const { return name_; }
    // From the listing where it tells, else from the entry's attributes.
    FileType type() const;
    // The walk's keys for this entry, read relative to its folder on first use and never
    // following a link; null when they cannot be read (the entry vanished, say).
    const FileAttributes* attributes() const;
    // Built on demand: walks that do not need paths never pay for them.
    std::filesystem::path path() const;
    WalkOrder order() const;
    // 0 for the direct entries of the root.
    std::uint32_t depth() const;
    // For a folder: up to the first `count` bytes of the regular file `fileName` directly inside
    // it, read relative to the walk's descriptors and never through a link; empty when there is no
    // such file or it cannot be read. Costs one look-up when there is none.
    std::string startOfFileInside(const char* fileName, std::size_t count) const;

private:
    friend class TreeWalk;
    WalkEntry(const WalkFolder& folder, AttributeKeys keys, std::string_view name, FileType listedType,
              std::uint32_t position);

    const WalkFolder& folder_;
    AttributeKeys keys_;
    std::string_view name_;
    FileType listedType_;
    std::uint32_t position_;
    mutable bool attributesRead_ = false;
    mutable std::optional<FileAttributes> attributes_;
};

using WalkVisitor = std::function<WalkDecision(const WalkEntry&)>;

// Visits every entry below `root` (not the root itself) on the shared work pool. Different
// folders, and the batches of one large folder, are visited at the same time on different
// threads, so `visit` must be safe to call concurrently; WalkCollector restores the order of a
// serial walk where it matters. Folders are entered only
// when `visit` answers `descend`, through descriptors relative to their parent, never through a
// symbolic link (the root itself included). Every error is absorbed: an unreadable folder
// contributes what could be read (and is told to `options.unreadableFolder`), an unreadable entry
// has no attributes. Cancellation is checked before every entry.
void walkTree(const std::filesystem::path& root, const WalkOptions& options, const WalkVisitor& visit,
              std::stop_token stop = {});

// Collects items from a walk's concurrent visits and gives them back in the order a serial walk
// would have met them, so that what a walk finds never depends on thread scheduling.
template <class Item>
class WalkCollector {
public:
    // Safe to call from concurrent visits.
    void add(const WalkEntry& entry, Item item) { perThread_.local().emplace_back(entry.order(), std::move(item)); }

    std::vector<Item> takeInWalkOrder()
    {
        std::vector<std::pair<WalkOrder, Item>> all;
        for (auto& items : perThread_) {
            std::move(items.begin(), items.end(), std::back_inserter(all));
            items.clear();
        }
        std::sort(all.begin(), all.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        std::vector<Item> ordered;
        ordered.reserve(all.size());
        for (auto& [order, item] : all)
            ordered.push_back(std::move(item));
        return ordered;
    }

private:
    tbb::enumerable_thread_specific<std::vector<std::pair<WalkOrder, Item>>> perThread_;
};

} // namespace platform
