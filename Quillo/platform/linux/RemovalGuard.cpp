#include "platform/RemovalGuard.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "platform/HomeDirectory.h"
#include "platform/TrashFolders.h"

#ifndef STATX_ATTR_MOUNT_ROOT
#define STATX_ATTR_MOUNT_ROOT 0x00002000
#endif

namespace platform {

namespace {

// A handle on a folder that only serves to reach entries below it: it needs no permission to
// read the folder, only to pass through it.
constexpr int passThroughFlags = O_PATH | O_DIRECTORY | O_CLOEXEC;

ContentIdentifier identityOf(const struct stat& st) { return {st.st_dev, st.st_ino}; }

// Walks one component at a time, so that no call ever sees more than one name and a path longer
// than the system's limit still opens. Links on the way are followed, as the system would.
Result<FileDescriptor> openFolderByComponents(const std::filesystem::path& folder)
{
    FileDescriptor current(::open(folder.is_absolute() ? "/" : ".", passThroughFlags));
    if (!current.valid())
        return lastError();
    for (const auto& component : folder.relative_path()) {
        if (component.empty() || component == ".")
            continue;
        FileDescriptor next(::openat(current.get(), component.c_str(), passThroughFlags));
        if (!next.valid())
            return lastError();
        current = std::move(next);
    }
    return current;
}

// The home folder and every folder above it up to "/", by identity, so that no spelling of a
// path (links, "..", doubled separators) slips past.
std::vector<ContentIdentifier> homeAndItsAncestors()
{
    std::vector<ContentIdentifier> identities;
    auto folder = openFolderByComponents(homeDirectory());
    if (!folder)
        return identities;
    FileDescriptor current = std::move(*folder);
    struct stat st {};
    while (::fstat(current.get(), &st) == 0) {
        const ContentIdentifier identity = identityOf(st);
        if (!identities.empty() && identities.back() == identity)
            break; // ".." of "/" is "/"
        identities.push_back(identity);
        current = FileDescriptor(::openat(current.get(), "..", passThroughFlags));
    }
    return identities;
}

// The same rule by spelling, which also holds when the home folder cannot be opened or is a
// link: `path` is "/" or a prefix of the home folder.
bool isHomeOrAboveByName(const std::filesystem::path& path)
{
    const auto home = homeDirectory().lexically_normal();
    const auto candidate = path.lexically_normal();
    const auto [candidateEnd, homeEnd] = std::mismatch(candidate.begin(), candidate.end(), home.begin(), home.end());
    return candidateEnd == candidate.end();
}

bool isHomeOrAboveByIdentity(const ContentIdentifier& identity)
{
    const auto protectedFolders = homeAndItsAncestors();
    return std::ranges::find(protectedFolders, identity) != protectedFolders.end();
}

// "/tmp/a/" names the same item as "/tmp/a".
std::filesystem::path withoutTrailingSeparator(std::filesystem::path path)
{
    if (!path.has_filename() && path.has_relative_path())
        path = path.parent_path();
    return path;
}

// Removing a folder's entry from it needs write and search permission on the folder, and in a
// sticky folder (such as /tmp) ownership of the folder or of the entry.
Outcome checkRemovableFrom(int parentFd, const char* name)
{
    if (::faccessat(parentFd, ".", W_OK | X_OK, AT_EACCESS) != 0)
        return lastError();
    struct stat parent {};
    struct stat entry {};
    if (::fstat(parentFd, &parent) != 0 || ::fstatat(parentFd, name, &entry, AT_SYMLINK_NOFOLLOW) != 0)
        return lastError();
    if (!stickyFolderLetsGo(parent.st_mode, parent.st_uid, entry.st_uid))
        return Result<std::monostate>::failure(EPERM);
    return success();
}

// Whether the folder open as `folderFd` is the home folder or lies below it, found by climbing
// ".." from the folder itself: neither a link on the way to it nor the spelling of its path can
// make an outside folder pass for an inside one.
bool liesInHome(int folderFd)
{
    struct stat home {};
    if (::stat(homeDirectory().c_str(), &home) != 0)
        return false;
    FileDescriptor current(::openat(folderFd, ".", passThroughFlags));
    std::optional<ContentIdentifier> below;
    struct stat st {};
    while (current.valid() && ::fstat(current.get(), &st) == 0) {
        if (identityOf(st) == identityOf(home))
            return true;
        if (below == identityOf(st))
            return false; // ".." of "/" is "/"
        below = identityOf(st);
        current = FileDescriptor(::openat(current.get(), "..", passThroughFlags));
    }
    return false;
}

// Whether `folderFd` is the folder `path` names, with no link as its last component.
bool isFolderAt(int folderFd, const std::filesystem::path& path)
{
    struct stat open {};
    struct stat named {};
    return ::fstat(folderFd, &open) == 0 && ::lstat(path.c_str(), &named) == 0 && S_ISDIR(named.st_mode) &&
           identityOf(open) == identityOf(named);
}

// Where the item really is decides, not how its path is spelled (a well-known folder may be a
// link to anywhere). An entry of one of the user's trashes may go wherever that trash lies, as
// long as none of the trash's own folders is a link; anything else outside the home folder only
// when the user, not root, owns both it and the folder that holds it.
Outcome checkRealLocation(const std::filesystem::path& path, const RemovalTarget& target)
{
    if (const auto trash = trashHolding(path)) {
        if (auto usable = checkTrashFolders(*trash); !usable)
            return usable;
        if (isFolderAt(target.parent.get(), *trash / "files"))
            return success();
    }
    if (liesInHome(target.parent.get()))
        return success();
    const uid_t user = ::geteuid();
    struct stat parent {};
    struct stat item {};
    if (::fstat(target.parent.get(), &parent) != 0 ||
        ::fstatat(target.parent.get(), target.name.c_str(), &item, AT_SYMLINK_NOFOLLOW) != 0)
        return lastError();
    if (user == 0 || parent.st_uid != user || item.st_uid != user)
        return Result<std::monostate>::failure(EPERM);
    return success();
}

} // namespace

bool stickyFolderLetsGo(unsigned folderMode, unsigned folderOwner, unsigned entryOwner)
{
    const uid_t user = ::geteuid();
    return !(folderMode & S_ISVTX) || user == 0 || user == folderOwner || user == entryOwner;
}

Result<RemovalFacts> removalFactsAt(int folderFd, const char* name)
{
    const bool itself = *name == '\0';
    const int flags = AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT | (itself ? AT_EMPTY_PATH : 0);
    const unsigned int mask = STATX_TYPE | STATX_MODE | STATX_UID | STATX_INO | STATX_NLINK | STATX_BLOCKS;
    struct statx st {};
    if (::statx(folderFd, name, flags, mask, &st) != 0)
        return lastError();
    RemovalFacts facts;
    facts.identity = {makedev(st.stx_dev_major, st.stx_dev_minor), st.stx_ino};
    facts.mode = st.stx_mode;
    facts.owner = st.stx_uid;
    facts.linkCount = st.stx_nlink;
    facts.allocatedSize = static_cast<std::int64_t>(st.stx_blocks) * 512;
    facts.locked = (st.stx_attributes & (STATX_ATTR_IMMUTABLE | STATX_ATTR_APPEND)) != 0;
    if (st.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT) {
        facts.mountRoot = (st.stx_attributes & STATX_ATTR_MOUNT_ROOT) != 0;
    } else if (!itself) {
        // Kernels before 5.8 do not tell; a mount of another file system still shows as a change
        // of device (bind mounts of the same one do not).
        struct stat folder {};
        facts.mountRoot = ::fstat(folderFd, &folder) != 0 || facts.identity.device != folder.st_dev;
    }
    return facts;
}

bool isMountRootAt(int folderFd, const char* name)
{
    auto facts = removalFactsAt(folderFd, name);
    return !facts || facts->mountRoot;
}

Result<RemovalTarget> openRemovalTarget(const std::filesystem::path& requested, const RemovalCheck& check)
{
    const auto path = withoutTrailingSeparator(requested);
    const auto name = path.filename();
    if (name.empty())
        return Result<RemovalTarget>::failure(EPERM);
    if (name == "." || name == "..")
        return Result<RemovalTarget>::failure(EINVAL);
    auto parent = openFolderByComponents(path.has_parent_path() ? path.parent_path() : ".");
    if (!parent)
        return parent.error();
    auto attributes = readAttributesAt(parent->get(), name.c_str(), AttributeKey::contentIdentifier);
    if (!attributes)
        return attributes.error();
    RemovalTarget target{std::move(*parent), name.string(), attributes->type,
                         attributes->contentIdentifier.value_or(ContentIdentifier{})};
    // By name whatever the item is: a home folder that is itself a link must not lose it.
    if (isHomeOrAboveByName(path) || (target.type == FileType::directory && isHomeOrAboveByIdentity(target.identity)))
        return Result<RemovalTarget>::failure(EPERM);
    if (target.type != FileType::symbolicLink && isMountRootAt(target.parent.get(), target.name.c_str()))
        return Result<RemovalTarget>::failure(EBUSY);
    if (auto location = checkRealLocation(path, target); !location)
        return location.error();
    // Checked before anything is touched: emptying a folder that then cannot be taken out of its
    // own would lose its contents and still fail.
    if (auto removable = checkRemovableFrom(target.parent.get(), target.name.c_str()); !removable)
        return removable.error();
    if (auto checked = check ? check(target) : success(); !checked)
        return checked.error();
    return target;
}

} // namespace platform
