#pragma once

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
// "/", the home folder and every folder above it (EPERM), and a mount point (EBUSY); and what
// this user may not take out of its folder (EACCES, EROFS, EPERM). A path that ends in "." or
// ".." is EINVAL; a missing item is ENOENT. Then refuses what `check` refuses.
Result<RemovalTarget> openRemovalTarget(const std::filesystem::path& path, const RemovalCheck& check = {});

// Whether the entry `name` of the open folder `folderFd` is the root of a mounted file system,
// bind mounts included. Undecidable counts as mounted.
bool isMountRootAt(int folderFd, const char* name);

} // namespace platform
