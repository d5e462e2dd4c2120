#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <system_error>

#include "platform/RemovalGuard.h"

namespace platform {

// What a permanent removal did.
struct [[nodiscard]] RemovalOutcome {
    // The first error met; empty when the item went, all of it or all but its mount points.
    std::error_code error;
    // The space given back: the allocated blocks of the regular files unlinked that had no other
    // link. Counted also when the removal failed midway.
    std::int64_t removedBytes = 0;
    // File systems mounted below the item stayed, and with them the folders leading to them.
    bool keptMountPoints = false;

    bool ok() const { return !error; }
    // Whether nothing of the item is left.
    bool whole() const { return ok() && !keptMountPoints; }
};

// Deletes a file, a symbolic link or a folder with everything in it, for good. Works through
// folder descriptors, a bounded number of them at any depth, so paths of any length are reached
// and no tree is too deep; never follows a symbolic link: a link is removed itself, also one that
// takes a folder's place while the removal runs.
//
// Refuses "/", the home folder, any folder above it and a mount point (see RemovalGuard.h), and
// an item its folder does not let this user remove. A folder is then checked whole before
// anything is touched, and refused whole (EACCES, EPERM) unless all of it can go: every folder
// in it can be listed, and written to or is this user's own (it is made writable just before it
// is emptied, as read-only caches such as Go's module cache need), no sticky folder in it holds
// another user's entry, and nothing in it is immutable or append-only.
//
// Never crosses into another file system: a mount point below the item stays, with the folders
// leading to it (whose modes are given back), and everything else goes.
// Nothing goes that `check` refuses, looked at on the item about to be removed.
RemovalOutcome removePermanently(const std::filesystem::path& path, const RemovalCheck& check = {});

// Called in the middle of a removal, after a folder was listed and before its subfolder `name`
// is entered, so that a test can change the tree at exactly that moment. Tests only; set it
// while no removal runs, and clear it with an empty function.
using RemovalHook = std::function<void(int folderFd, const char* name)>;
void setRemovalHookForTesting(RemovalHook hook);

} // namespace platform
