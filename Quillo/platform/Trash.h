#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/FileAttributes.h"
#include "platform/RemovalGuard.h"
#include "platform/Result.h"

namespace platform {

// What a trashed item became: the entry `name` of the trash's files folder, recorded in
// info/NAME.trashinfo, and the item it was.
struct TrashEntry {
    // The trash folder, which holds files/ and info/.
    std::filesystem::path trash;
    std::string name;
    std::filesystem::path originalPath;
    // Of the item, which a move keeps, and the entry's status-change time once moved, which
    // nothing but a change of the entry moves: together what tells this entry from a later one of
    // the same name, even one that reuses a freed inode.
    ContentIdentifier identity;
    std::int64_t changeTimeNs = 0;

    bool operator==(const TrashEntry&) const = default;
};

// A status-change time as TrashEntry keeps it (Linux: addedDate, FileAttributes.h).
inline std::int64_t nanosecondsSinceEpoch(TimePoint time)
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(time.time_since_epoch()).count();
}

// Moves a file or folder to the Trash of its volume, where the desktop's own tools can put it
// back. Linux: the freedesktop.org trash as GIO writes it (the home trash for the home volume,
// the top-directory trashes elsewhere, an info/NAME.trashinfo with the original path and the
// deletion date, a unique name on collision). An item that cannot be trashed fails: it is never
// copied and deleted, never deleted for good. Refuses what RemovalGuard.h protects, and fails
// with EACCES while the home trash's own folders are symbolic links (TrashFolders.h), and what
// `check` refuses.
//
// Gives the entry the item became (TrashRestore.h puts it back), absent in the rare case that it
// cannot be found once moved (its trash's folders cannot be read, say): the item is in the Trash
// all the same.
Result<std::optional<TrashEntry>> moveToTrash(const std::filesystem::path& path, const RemovalCheck& check = {});

// For an entry of a Trash's files folder that was just deleted for good: deletes its record,
// info/NAME.trashinfo, so that the desktop's Trash shows no orphan. Does nothing for any other
// path, nor through a trash whose own folders are links; a failure leaves the record behind.
void forgetTrashedItem(const std::filesystem::path& path);

// For entries of Trashes' files folders that were deleted for good: drops their lines from each
// Trash's cache of folder sizes (directorysizes), rewriting each file once for all of them. Other
// paths are passed over; a failure leaves the lines behind.
void forgetDirectorySizes(const std::vector<std::filesystem::path>& entries);

} // namespace platform
