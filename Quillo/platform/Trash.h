#pragma once

#include <filesystem>
#include <vector>

#include "platform/RemovalGuard.h"
#include "platform/Result.h"

namespace platform {

// Moves a file or folder to the Trash of its volume, where the desktop's own tools can put it
// back. Linux: the freedesktop.org trash as GIO writes it (the home trash for the home volume,
// the top-directory trashes elsewhere, an info/NAME.trashinfo with the original path and the
// deletion date, a unique name on collision). An item that cannot be trashed fails: it is never
// copied and deleted, never deleted for good. Refuses what RemovalGuard.h protects, and fails
// with EACCES while the home trash's own folders are symbolic links (TrashFolders.h), and what
// `check` refuses.
Outcome moveToTrash(const std::filesystem::path& path, const RemovalCheck& check = {});

// For an entry of a Trash's files folder that was just deleted for good: deletes its record,
// info/NAME.trashinfo, so that the desktop's Trash shows no orphan. Does nothing for any other
// path, nor through a trash whose own folders are links; a failure leaves the record behind.
void forgetTrashedItem(const std::filesystem::path& path);

// For entries of Trashes' files folders that were deleted for good: drops their lines from each
// Trash's cache of folder sizes (directorysizes), rewriting each file once for all of them. Other
// paths are passed over; a failure leaves the lines behind.
void forgetDirectorySizes(const std::vector<std::filesystem::path>& entries);

} // namespace platform
