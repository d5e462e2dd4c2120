#pragma once

#include "platform/Result.h"
#include "platform/Trash.h"

namespace platform {

// Puts a trashed item back where it was, as the desktop's file managers do, through the trash's
// own record of it: the entry moves from files/ to the path info/NAME.trashinfo names (made again
// with the folders leading to it where they are gone), then the record and the entry's line in
// the trash's cache of folder sizes go. Never overwrites, and never copies: the entry is renamed
// in one step that fails when anything stands at the original path, within its own file system
// (a trash lies on the volume of what it holds). Fails with
// - EEXIST when something now stands at the original path;
// - ENOENT when the entry is no longer in the trash, or the entry there now is another item;
// - ENODATA when its record is gone or names no path;
// - EXDEV when the original path now lies on another file system;
// - EACCES for a trash whose own folders are links (TrashFolders.h);
// and with the system's error for anything else. A failure leaves the entry where it was.
Outcome restoreFromTrash(const TrashEntry& entry);

// Whether the entry and its record are still in the trash: what restoreFromTrash needs.
bool isStillTrashed(const TrashEntry& entry);

} // namespace platform
