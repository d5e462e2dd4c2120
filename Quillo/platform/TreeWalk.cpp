#include "platform/TreeWalk.h"

#include <atomic>
#include <deque>
#include <span>
#include <string>

#include <oneapi/tbb/task_group.h>

#include "platform/DirectoryReader.h"
#include "platform/DirectoryListing.h"
#include "platform/FileDescriptor.h"
#include "platform/Packages.h"
#include "platform/ProcessLimits.h"
#include "platform/RegularFile.h"
#include "platform/RemovalGuard.h"
#include "platform/WorkPool.h"

namespace platform {

// One folder of a walk. Folders live until the walk ends, so entries can name their parents.
// The descriptor stays open while the folder is read and until every subfolder found in it has
// been opened relative to it; `users` counts both.
struct WalkFolder {
    WalkFolder* parent = nullptr;
    const std::filesystem::path* root = nullptr;
    std::string name;
    std::uint32_t position = 0;
    std::uint32_t depth = 0;
    int fd = -1;
    std::atomic<int> users{0};

    std::filesystem::path path() const { return pathFrom(*root); }

    // The folder's path with `base` in place of the root.
    std::filesystem::path pathFrom(const std::filesystem::path& base) const
    {
        std::vector<const WalkFolder*> chain;
        for (const WalkFolder* folder = this; folder->parent; folder = folder->parent)
            chain.push_back(folder);
        std::filesystem::path result = base;
        for (auto it = chain.rbegin(); it != chain.rend(); ++it)
            result /= (*it)->name;
        return result;
    }
};

WalkEntry::WalkEntry(const WalkFolder& folder, AttributeKeys keys, std::string_view name, FileType listedType,
                     std::uint32_t position)
    : folder_(folder), keys_(keys | AttributeKey::type), name_(name), listedType_(listedType), position_(position)
{
}

FileType WalkEntry::type() const
{
    if (listedType_ != FileType::unknown)
        return listedType_;
    const FileAttributes* read = attributes();
    return read ? read->type : FileType::unknown;
}

const FileAttributes* WalkEntry::attributes() const
{
    if (!attributesRead_) {
        attributesRead_ = true;
        // The name comes from the listing buffer, which holds it NUL-terminated.
        auto read = readAttributesAt(folder_.fd, name_.data(), keys_);
        if (read)
            attributes_ = std::move(read.value());
    }
    return attributes_ ? &*attributes_ : nullptr;
}

std::filesystem::path WalkEntry::path() const { return folder_.path() / name_; }

std::string WalkEntry::startOfFileInside(const char* fileName, std::size_t count) const
{
    // Most folders hold no such file: one look-up by a relative path tells, before anything is
    // opened. The name comes from the listing buffer, which holds it NUL-terminated.
    const std::string inside = std::string(name_) + "/" + fileName;
    auto found = readAttributesAt(folder_.fd, inside.c_str(), AttributeKey::type);
    if (!found || !found->isRegularFile())
        return {};
    // Opened step by step, so that a folder swapped for a link since the look-up is not followed.
    auto folder = openDirectoryAt(folder_.fd, name_.data());
    if (!folder)
        return {};
    auto file = RegularFile::openAt(folder->get(), fileName);
    if (!file)
        return {};
    std::string start(count, '\0');
    auto read = file->read(std::as_writable_bytes(std::span(start)));
    if (!read)
        return {};
    start.resize(*read);
    return start;
}

std::uint32_t WalkEntry::depth() const { return folder_.depth; }

WalkOrder WalkEntry::order() const
{
    WalkOrder order(folder_.depth + 1);
    order[folder_.depth] = position_;
    for (const WalkFolder* folder = &folder_; folder->parent; folder = folder->parent)
        order[folder->depth - 1] = folder->position;
    return order;
}

class TreeWalk {
public:
    TreeWalk(const std::filesystem::path& root, const WalkOptions& options, const WalkVisitor& visit,
             std::stop_token stop)
        : root_(root), options_(options), visit_(visit), stop_(std::move(stop))
    {
    }

    ~TreeWalk()
    {
        // Folders whose reading failed part-way still hold their descriptors.
        for (auto& folders : folders_) {
            for (WalkFolder& folder : folders)
                FileDescriptor closing(folder.fd);
        }
    }

    void run()
    {
        if (options_.leaveOut && !prepareLeaveOut())
            return;
        auto fd = openDirectory(root_);
        if (!fd) {
            reportUnreadable(nullptr, fd.error());
            return;
        }
        WalkFolder& top = newFolder(nullptr, "", 0);
        top.fd = fd->release();
        top.users.store(1, std::memory_order_relaxed);
        workPool().execute([&] {
            spawn([&] { read(top); });
            group_.wait();
        });
    }

private:
    // Runs `work` on the pool. Work that fails (no memory for a listing, say) contributes what it
    // had, and the walk goes on: an exception would cancel every other folder's work.
    template <class Work>
    void spawn(Work&& work)
    {
        try {
            group_.run([work = std::forward<Work>(work)] {
                try {
                    work();
                } catch (...) {
                }
            });
        } catch (...) {
        }
    }

    WalkFolder& newFolder(WalkFolder* parent, std::string_view name, std::uint32_t position)
    {
        WalkFolder& folder = folders_.local().emplace_back();
        folder.parent = parent;
        folder.root = &root_;
        folder.name = name;
        folder.position = position;
        folder.depth = parent ? parent->depth + 1 : 0;
        return folder;
    }

    // False when the root itself is left out. Entries are matched by their absolute paths, and a
    // list that bears on nothing below the root costs nothing per entry.
    bool prepareLeaveOut()
    {
        std::error_code error;
        matchRoot_ = std::filesystem::absolute(root_, error).lexically_normal();
        if (matchRoot_.has_relative_path() && !matchRoot_.has_filename())
            matchRoot_ = matchRoot_.parent_path();
        auto below = options_.leaveOut->below(matchRoot_);
        if (below.coversRoot())
            return false;
        if (!below.empty())
            leaveOut_ = std::move(below);
        return true;
    }

    bool isLeftOut(const WalkFolder& folder, const RawDirectoryEntry& raw) const
    {
        // The name comes from the listing buffer, which holds it NUL-terminated.
        return leaveOut_ &&
               leaveOut_->covers(raw.name, folder.depth, [&] { return folder.pathFrom(matchRoot_) / raw.name; });
    }

    // `folder` null for the root. The path is built only for a report someone asked for.
    void reportUnreadable(const WalkFolder* folder, std::error_code error) const
    {
        if (options_.unreadableFolder)
            options_.unreadableFolder(folder ? folder->path() : root_, error);
    }

    static void release(WalkFolder& folder)
    {
        if (folder.users.fetch_sub(1, std::memory_order_acq_rel) == 1) {
            FileDescriptor closing(folder.fd);
            folder.fd = -1;
        }
    }

    bool shouldEnter(const WalkEntry& entry, WalkDecision decision) const
    {
        if (decision != WalkDecision::descend || entry.type() != FileType::directory)
            return false;
        return !(options_.skipPackageDescendants && isPackageName(entry.name()));
    }

    // Entry positions: the batch's number in the high bits, the entry's place in it below (a
    // 32 KiB batch holds fewer than 4096 entries).
    static constexpr int positionBitsPerBatch = 12;

    void read(WalkFolder& folder)
    {
        DirectoryReader reader(folder.fd);
        std::uint32_t batchNumber = 0;
        while (!stop_.stop_requested()) {
            auto batch = reader.nextBatch();
            if (!batch) {
                if (reader.error())
                    reportUnreadable(&folder, reader.error());
                break;
            }
            const std::uint32_t firstPosition = batchNumber++ << positionBitsPerBatch;
            if (reader.lastBatchWasFull()) {
                // A large folder: other threads take its batches while this one reads on, so a
                // folder of a hundred thousand files does not keep one core busy alone.
                folder.users.fetch_add(1, std::memory_order_relaxed);
                spawn([this, &folder, firstPosition, owned = std::make_unique<DirectoryBatch>(std::move(*batch))] {
                    visit(folder, *owned, firstPosition);
                    release(folder);
                });
            } else {
                visit(folder, *batch, firstPosition);
            }
        }
        release(folder);
    }

    void visit(WalkFolder& folder, DirectoryBatch& batch, std::uint32_t position)
    {
        RawDirectoryEntry raw;
        while (!stop_.stop_requested() && batch.next(raw)) {
            const std::uint32_t entryPosition = position++;
            if ((options_.skipHidden && isHiddenName(raw.name)) || isLeftOut(folder, raw))
                continue;
            WalkEntry entry(folder, options_.keys, raw.name, raw.type, entryPosition);
            if (options_.stayOnFileSystem && entry.type() == FileType::directory &&
                isMountRootAt(folder.fd, raw.name.data()))
                continue;
            if (shouldEnter(entry, visit_(entry))) {
                WalkFolder& child = newFolder(&folder, raw.name, entryPosition);
                folder.users.fetch_add(1, std::memory_order_relaxed);
                spawn([this, &child] { enter(child); });
            }
        }
    }

    void enter(WalkFolder& folder)
    {
        WalkFolder& parent = *folder.parent;
        auto fd = stop_.stop_requested() ? Result<FileDescriptor>::failure(ECANCELED)
                                         : openDirectoryAt(parent.fd, folder.name.c_str());
        release(parent);
        if (!fd) {
            if (!stop_.stop_requested())
                reportUnreadable(&folder, fd.error());
            return;
        }
        folder.fd = fd->release();
        folder.users.store(1, std::memory_order_relaxed);
        read(folder);
    }

    const std::filesystem::path& root_;
    const WalkOptions& options_;
    const WalkVisitor& visit_;
    std::stop_token stop_;
    tbb::task_group group_;
    tbb::enumerable_thread_specific<std::deque<WalkFolder>> folders_;
    std::filesystem::path matchRoot_;
    std::optional<PathPatterns::BelowRoot> leaveOut_;
};

void walkTree(const std::filesystem::path& root, const WalkOptions& options, const WalkVisitor& visit,
              std::stop_token stop)
{
    raiseOpenFileLimit();
    TreeWalk(root, options, visit, std::move(stop)).run();
}

} // namespace platform
