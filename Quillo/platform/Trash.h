#pragma once

#include <filesystem>

#include "platform/RemovalGuard.h"
#include "platform/Result.h"

namespace platform {

// Moves a file or folder to the Trash of its volume, where the desktop's own tools can put it
// back. Linux: the freedesktop.org trash as GIO writes it (the home trash for the home volume,
// the top-directory trashes elsewhere, an info/NAME.trashinfo with the original path and the
// deletion date, a unique name on collision). An item that cannot be trashed fails: it is never
// copied and deleted, never deleted for good. Refuses what RemovalGuard.h protects, and what
// `check` refuses.
Outcome moveToTrash(const std::filesystem::path& path, const RemovalCheck& check = {});

// For an entry of a Trash's files folder that was just deleted for good: deletes what the Trash
// keeps about it (its info/NAME.trashinfo and its line in directorysizes), so that the desktop's
// Trash shows no orphan. Does nothing for any other path; failures leave the record behind.
void forgetTrashedItem(const std::filesystem::path& path);

} // namespace platform
