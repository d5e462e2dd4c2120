#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "platform/FileAttributes.h"
#include "platform/FileDescriptor.h"
#include "platform/Result.h"

namespace platform {

// An item about to be removed, held by its open parent folder and its name, so that what was
// checked is what gets removed and paths of any length can be reached.
struct RemovalTarget {
    FileDescriptor parent;
    std::string name;
    // Of the item itself: a symbolic link is never followed.
    FileType type = FileType::unknown;
    ContentIdentifier identity;
};

// A caller's last look at the item, on what is about to be removed and right before anything
// is touched: an error refuses the removal with that error.
using RemovalCheck = std::function<Outcome(const RemovalTarget&)>;

// Opens the parent folder of `path` and looks at the item. Refuses what must never be removed:
// "/", the home folder and every folder above it (EPERM), and a mount point (EBUSY); an item
// whose folder really lies outside the home folder, unless the user is not root and owns both
// (EPERM), or it is an entry of one of the user's trashes (TrashFolders.h); an entry of a trash
// whose own folders are links (EACCES); and what this user may not take out of its folder
// (EACCES, EROFS, EPERM). A path that ends in "." or ".." is EINVAL; a missing item is ENOENT.
// Then refuses what `check` refuses.
Result<RemovalTarget> openRemovalTarget(const std::filesystem::path& path, const RemovalCheck& check = {});

// Whether this user may take an entry owned by `entryOwner` out of a folder of `folderMode` and
// `folderOwner`, as far as the sticky bit goes: in a sticky folder (such as /tmp) only the
// folder's owner and the entry's may.
bool stickyFolderLetsGo(unsigned folderMode, unsigned folderOwner, unsigned entryOwner);

// What removing an entry depends on, read without following a link or setting off an automount.
struct RemovalFacts {
    ContentIdentifier identity;
    // As st_mode: the type, the permission bits and the sticky bit.
    unsigned mode = 0;
    unsigned owner = 0;
    std::uint64_t linkCount = 0;
    std::int64_t allocatedSize = 0;
    // The root of a mounted file system, bind mounts of the same one included where the system
    // tells (Linux 5.8 and later); else a change of device from the folder that holds it.
    bool mountRoot = false;
    // Immutable or append-only: nothing takes it out, nor anything out of it, whoever asks.
    bool locked = false;
};

// The facts of the entry `name` of the open folder `folderFd`; `name` empty for that folder
// itself (whose change of device the caller judges).
Result<RemovalFacts> removalFactsAt(int folderFd, const char* name);

// Whether the entry `name` of the open folder `folderFd` is the root of a mounted file system,
// bind mounts included. Undecidable counts as mounted.
bool isMountRootAt(int folderFd, const char* name);

} // namespace platform
