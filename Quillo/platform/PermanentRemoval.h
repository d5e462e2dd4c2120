#pragma once

#include <filesystem>

#include "platform/RemovalGuard.h"
#include "platform/Result.h"

namespace platform {

// Deletes a file, a symbolic link or a folder with everything in it, for good. Works through
// folder descriptors, so paths of any length are reached, and never follows a symbolic link: a
// link is removed itself, also one that takes a folder's place while the removal runs. Never
// crosses into another file system mounted below the item.
//
// Refuses "/", the home folder, any folder above it and a mount point (see RemovalGuard.h), and
// an item its folder does not let this user remove, before anything is touched. What cannot be
// removed inside a folder stays in place with the folder around it, the rest goes, and the
// outcome is the first error met. Nothing goes that `check` refuses.
Outcome removePermanently(const std::filesystem::path& path, const RemovalCheck& check = {});

} // namespace platform
