#include "platform/PermanentRemoval.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/DirectoryReader.h"
#include "platform/FileDescriptor.h"
#include "platform/RemovalGuard.h"

namespace platform {

namespace {

RemovalHook& removalHook()
{
    static RemovalHook hook;
    return hook;
}

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

// The space unlinking the entry gives back: that of a regular file no other link keeps.
std::int64_t bytesFreedByUnlinking(const RemovalFacts& facts)
{
    return S_ISREG(facts.mode) && facts.linkCount == 1 ? facts.allocatedSize : 0;
}

// One folder on the way from the item down to where the work is, with what is left of its
// listing.
struct Level {
    // Closed for all but the deepest levels.
    FileDescriptor fd;
    // In the folder above.
    std::string name;
    RemovalFacts facts;
    std::vector<Entry> entries;
    std::size_t next = 0;
    // Set when the folder was made writable to be emptied: given back if it stays.
    std::optional<unsigned> modeToRestore;
    // Something below it stays (a mount point), so the folder stays too.
    bool keepsSomething = false;
};

// The folders from the item down to the one being worked on: the walk goes depth first with an
// explicit stack instead of recursion, so that no tree is too deep for the call stack. Only the
// deepest levels keep their descriptor, so that any depth needs a bounded number of them; a level
// whose descriptor was closed is opened again, when the levels below it are done, as ".." of the
// one just left (which is never a link), and must be the very folder that was left: a folder
// moved elsewhere meanwhile has another "..", and the walk must not go on in there.
class FolderStack {
public:
    explicit FolderStack(int rootParentFd) : rootParentFd_(rootParentFd) {}

    bool empty() const { return levels_.empty(); }
    Level& top() { return levels_.back(); }

    void push(Level level)
    {
        levels_.push_back(std::move(level));
        if (levels_.size() > openLevels)
            levels_[levels_.size() - openLevels - 1].fd.reset();
    }

    Level pop()
    {
        Level left = std::move(levels_.back());
        levels_.pop_back();
        return left;
    }

    // The open folder that holds the top level: the item's own folder for the item. ESTALE when
    // it had to be opened again and is no longer the folder that was left.
    Result<int> parentOfTop()
    {
        if (levels_.size() == 1)
            return rootParentFd_;
        Level& parent = levels_[levels_.size() - 2];
        if (!parent.fd.valid()) {
            auto reopened = openDirectoryAt(top().fd.get(), "..");
            if (!reopened)
                return reopened.error();
            struct stat st {};
            if (::fstat(reopened->get(), &st) != 0)
                return lastError();
            if (ContentIdentifier{st.st_dev, st.st_ino} != parent.facts.identity)
                return Result<int>::failure(ESTALE);
            parent.fd = std::move(*reopened);
        }
        return parent.fd.get();
    }

private:
    static constexpr std::size_t openLevels = 16;

    int rootParentFd_;
    std::vector<Level> levels_;
};

// Opens the folder `name` to walk it, as a level of the stack; nothing when it is no longer a
// folder (it was swapped for a link or a file: opening never follows it) or gone, and then
// `error` is what the open said. The walk's caller looks at mount points first.
std::optional<Level> openLevel(int parentFd, const std::string& name, std::error_code& error)
{
    auto folder = openDirectoryAt(parentFd, name.c_str());
    if (!folder) {
        error = folder.error();
        return std::nullopt;
    }
    auto facts = removalFactsAt(folder->get(), "");
    if (!facts) {
        error = facts.error();
        return std::nullopt;
    }
    Level level;
    level.fd = std::move(*folder);
    level.name = name;
    level.facts = *facts;
    return level;
}

bool noLongerAFolder(std::error_code error)
{
    return error == std::errc::too_many_symbolic_link_levels || error == std::errc::not_a_directory ||
           error == std::errc::no_such_file_or_directory;
}

// Looks at a whole folder before anything is touched and says whether all of it can go, as far
// as the file system tells beforehand: an item that would lose part of itself and still fail is
// the worst outcome. Every folder must be listable, and writable or this user's own (the removal
// makes it writable); a sticky folder must not hold another user's entry; nothing may be
// immutable or append-only. Mount points are not entered: they stay.
class WholeTreeCheck {
public:
    WholeTreeCheck(int rootParentFd, std::uint64_t device)
        : stack_(rootParentFd), rootParentFd_(rootParentFd), device_(device)
    {
    }

    Outcome run(const std::string& name)
    {
        enter(rootParentFd_, name);
        while (!refusal_ && !stack_.empty()) {
            Level& top = stack_.top();
            if (top.next < top.entries.size()) {
                const Entry entry = std::move(top.entries[top.next++]);
                look(top, entry.name);
            } else if (auto parent = stack_.parentOfTop(); !parent) {
                refusal_ = parent.error();
            } else {
                stack_.pop();
            }
        }
        if (refusal_)
            return refusal_;
        return success();
    }

private:
    void refuse(int error) { refusal_ = std::error_code(error, std::generic_category()); }

    void look(const Level& folder, const std::string& name)
    {
        auto facts = removalFactsAt(folder.fd.get(), name.c_str());
        if (!facts) {
            if (facts.error() != std::errc::no_such_file_or_directory)
                refusal_ = facts.error();
            return;
        }
        if (facts->locked || !stickyFolderLetsGo(folder.facts.mode, folder.facts.owner, facts->owner))
            refuse(EPERM);
        else if (S_ISDIR(facts->mode) && !facts->mountRoot)
            enter(folder.fd.get(), name);
    }

    void enter(int parentFd, const std::string& name)
    {
        std::error_code error;
        auto level = openLevel(parentFd, name, error);
        if (!level) {
            if (!noLongerAFolder(error))
                refusal_ = error;
            return;
        }
        if (level->facts.identity.device != device_)
            return;
        if (auto emptiable = checkCanBeEmptied(*level); !emptiable) {
            refusal_ = emptiable.error();
            return;
        }
        auto entries = readEntries(level->fd.get());
        if (!entries) {
            refusal_ = entries.error();
            return;
        }
        level->entries = std::move(*entries);
        stack_.push(std::move(*level));
    }

    // Taking entries out needs write and search permission on the folder; this user's own folder
    // is made writable by the removal. Neither may a file system read-only or the folder locked.
    static Outcome checkCanBeEmptied(const Level& folder)
    {
        if (folder.facts.locked)
            return Result<std::monostate>::failure(EPERM);
        if (::faccessat(folder.fd.get(), ".", W_OK | X_OK, AT_EACCESS) == 0)
            return success();
        if (errno != EACCES || folder.facts.owner != ::geteuid() ||
            ::faccessat(folder.fd.get(), ".", X_OK, AT_EACCESS) != 0)
            return lastError();
        return success();
    }

    FolderStack stack_;
    int rootParentFd_;
    std::uint64_t device_;
    std::error_code refusal_;
};

// Removes a folder tree depth first. What cannot be removed (a race after the check, an I/O
// error) stays in place with the folders around it, the rest goes, and the outcome is the first
// error met; a mount point stays with the folders leading to it, and that is no error.
class TreeRemoval {
public:
    TreeRemoval(int rootParentFd, std::uint64_t device)
        : stack_(rootParentFd), rootParentFd_(rootParentFd), device_(device)
    {
    }

    RemovalOutcome run(const std::string& name, FileType type)
    {
        removeOrDescend(rootParentFd_, name, type);
        while (!lost_ && !stack_.empty()) {
            Level& top = stack_.top();
            if (top.next < top.entries.size()) {
                const Entry entry = std::move(top.entries[top.next++]);
                removeOrDescend(top.fd.get(), entry.name, entry.type);
            } else {
                finishTopLevel();
            }
        }
        // Lost the way back up: what is open still gets its mode back.
        while (!stack_.empty())
            giveBackMode(stack_.pop());
        return outcome_;
    }

private:
    void fail(std::error_code error)
    {
        if (!outcome_.error)
            outcome_.error = error;
    }

    // The folder holding the entry being looked at stays, and so does the chain above it.
    void keep()
    {
        if (stack_.empty())
            outcome_.keptMountPoints = true;
        else
            stack_.top().keepsSomething = true;
    }

    void removeOrDescend(int folderFd, const std::string& name, FileType type)
    {
        if (type != FileType::directory) {
            // Links and special files hold no blocks worth a look.
            auto facts = type == FileType::regular || type == FileType::unknown
                             ? removalFactsAt(folderFd, name.c_str())
                             : Result<RemovalFacts>::failure(EINVAL);
            if (::unlinkat(folderFd, name.c_str(), 0) == 0) {
                outcome_.removedBytes += facts ? bytesFreedByUnlinking(*facts) : 0;
                return;
            }
            const int error = errno;
            if (error == ENOENT)
                return;
            // Linux says EISDIR for a folder, other systems EPERM: the entry may be a folder that
            // took the place of what was listed. EBUSY: a file was bound onto it.
            if (error != EISDIR && error != EPERM && error != EBUSY) {
                fail({error, std::generic_category()});
                return;
            }
        }
        descend(folderFd, name);
    }

    void descend(int folderFd, const std::string& name)
    {
        if (const auto& hook = removalHook())
            hook(folderFd, name.c_str());
        auto facts = removalFactsAt(folderFd, name.c_str());
        if (!facts) {
            if (facts.error() != std::errc::no_such_file_or_directory)
                fail(facts.error());
            return;
        }
        if (facts->mountRoot) {
            keep();
            return;
        }
        std::error_code error;
        auto level = openLevel(folderFd, name, error);
        if (!level) {
            // No longer a folder: a link (or a file) took its place; remove that, never follow it.
            if (error == std::errc::too_many_symbolic_link_levels || error == std::errc::not_a_directory)
                unlinkEntry(folderFd, name);
            else if (error != std::errc::no_such_file_or_directory)
                fail(error);
            return;
        }
        // Mounted between the look and the open.
        if (level->facts.identity.device != device_) {
            keep();
            return;
        }
        makeWritable(*level);
        auto entries = readEntries(level->fd.get());
        if (!entries) {
            fail(entries.error());
            giveBackMode(std::move(*level));
            return;
        }
        level->entries = std::move(*entries);
        stack_.push(std::move(*level));
    }

    // As `go clean -modcache` does: a read-only folder of this user's own is emptied all the
    // same. Only the owner's write bit is added, and only where it is missing.
    static void makeWritable(Level& folder)
    {
        if (folder.facts.owner != ::geteuid() || (folder.facts.mode & S_IWUSR))
            return;
        const unsigned permissions = folder.facts.mode & 07777;
        if (::fchmod(folder.fd.get(), permissions | S_IWUSR) == 0)
            folder.modeToRestore = permissions;
    }

    static void giveBackMode(Level folder)
    {
        if (folder.modeToRestore && folder.fd.valid())
            (void)::fchmod(folder.fd.get(), *folder.modeToRestore);
    }

    void unlinkEntry(int folderFd, const std::string& name)
    {
        if (::unlinkat(folderFd, name.c_str(), 0) != 0 && errno != ENOENT)
            fail(lastError());
    }

    // The folder's entries are handled; it goes if they all went and nothing below it stays.
    void finishTopLevel()
    {
        auto parent = stack_.parentOfTop();
        Level left = stack_.pop();
        if (!parent) {
            fail(parent.error());
            lost_ = true;
        } else if (left.keepsSomething) {
            keep();
        } else if (::unlinkat(*parent, left.name.c_str(), AT_REMOVEDIR) == 0 || errno == ENOENT) {
            return;
        } else {
            fail(lastError());
        }
        giveBackMode(std::move(left));
    }

    FolderStack stack_;
    int rootParentFd_;
    std::uint64_t device_;
    RemovalOutcome outcome_;
    bool lost_ = false;
};

} // namespace

RemovalOutcome removePermanently(const std::filesystem::path& path, const RemovalCheck& check)
{
    auto target = openRemovalTarget(path, check);
    if (!target)
        return {target.error()};
    const int parentFd = target->parent.get();
    const std::uint64_t device = target->identity.device;
    if (target->type == FileType::directory) {
        if (auto whole = WholeTreeCheck(parentFd, device).run(target->name); !whole)
            return {whole.error()};
    }
    return TreeRemoval(parentFd, device).run(target->name, target->type);
}

void setRemovalHookForTesting(RemovalHook hook) { removalHook() = std::move(hook); }

} // namespace platform
