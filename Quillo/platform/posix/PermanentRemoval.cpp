#include "platform/PermanentRemoval.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "platform/DirectoryReader.h"
#include "platform/ProcessLimits.h"
#include "platform/RemovalGuard.h"

namespace platform {

namespace {

struct Entry {
    std::string name;
    FileType type;
};

Result<std::vector<Entry>> readEntries(int folderFd)
{
    std::vector<Entry> entries;
    DirectoryReader reader(folderFd);
    while (auto batch = reader.nextBatch()) {
        RawDirectoryEntry raw;
        while (batch->next(raw))
            entries.push_back({std::string(raw.name), raw.type});
    }
    if (reader.error())
        return reader.error();
    return entries;
}

// Removes a folder tree depth first with an explicit stack instead of recursion, so that no tree
// is too deep for the call stack; each level holds the descriptor of its folder, and every name
// is looked up relative to it.
class TreeRemoval {
public:
    TreeRemoval(int rootParentFd, std::uint64_t device) : rootParentFd_(rootParentFd), device_(device) {}

    Outcome run(const std::string& name, FileType type)
    {
        removeOrDescend(rootParentFd_, name, type);
        while (!levels_.empty()) {
            Level& top = levels_.back();
            if (top.next < top.entries.size()) {
                const Entry entry = std::move(top.entries[top.next++]);
                removeOrDescend(top.fd.get(), entry.name, entry.type);
            } else {
                finishTopLevel();
            }
        }
        if (firstError_)
            return firstError_;
        return success();
    }

private:
    struct Level {
        FileDescriptor fd;
        std::string name;
        std::vector<Entry> entries;
        std::size_t next = 0;
    };

    void fail(std::error_code error)
    {
        if (!firstError_)
            firstError_ = error;
    }

    void removeOrDescend(int folderFd, const std::string& name, FileType type)
    {
        if (type != FileType::directory) {
            if (::unlinkat(folderFd, name.c_str(), 0) == 0 || errno == ENOENT)
                return;
            // Linux says EISDIR for a folder, other systems EPERM: the entry may be a folder that
            // took the place of what was listed.
            if (errno != EISDIR && errno != EPERM) {
                fail(lastError());
                return;
            }
        }
        descend(folderFd, name);
    }

    void descend(int folderFd, const std::string& name)
    {
        if (isMountRootAt(folderFd, name.c_str())) {
            fail(std::make_error_code(std::errc::device_or_resource_busy));
            return;
        }
        auto folder = openDirectoryAt(folderFd, name.c_str());
        if (!folder) {
            const auto error = folder.error();
            // No longer a folder: a link (or a file) took its place; remove that, never follow it.
            if (error == std::errc::too_many_symbolic_link_levels || error == std::errc::not_a_directory)
                unlinkEntry(folderFd, name);
            else if (error != std::errc::no_such_file_or_directory)
                fail(error);
            return;
        }
        struct stat st {};
        if (::fstat(folder->get(), &st) != 0 || st.st_dev != device_) {
            fail(std::make_error_code(std::errc::device_or_resource_busy));
            return;
        }
        auto entries = readEntries(folder->get());
        if (!entries) {
            fail(entries.error());
            return;
        }
        levels_.push_back({std::move(*folder), name, std::move(*entries)});
    }

    void unlinkEntry(int folderFd, const std::string& name)
    {
        if (::unlinkat(folderFd, name.c_str(), 0) != 0 && errno != ENOENT)
            fail(lastError());
    }

    // The folder's entries are handled; it goes if they all went.
    void finishTopLevel()
    {
        const std::string name = std::move(levels_.back().name);
        levels_.pop_back();
        const int parentFd = levels_.empty() ? rootParentFd_ : levels_.back().fd.get();
        if (::unlinkat(parentFd, name.c_str(), AT_REMOVEDIR) != 0 && errno != ENOENT)
            fail(lastError());
    }

    int rootParentFd_;
    std::uint64_t device_;
    std::vector<Level> levels_;
    std::error_code firstError_;
};

} // namespace

Outcome removePermanently(const std::filesystem::path& path, const RemovalCheck& check)
{
    raiseOpenFileLimit();
    auto target = openRemovalTarget(path, check);
    if (!target)
        return target.error();
    return TreeRemoval(target->parent.get(), target->identity.device).run(target->name, target->type);
}

} // namespace platform
