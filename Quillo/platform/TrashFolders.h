#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "platform/MountPoints.h"
#include "platform/Result.h"

namespace platform {

// This user's trashes as the freedesktop.org trash specification lays them out: the home trash,
// `$XDG_DATA_HOME/Trash`, and at the top of other volumes `$topdir/.Trash/$uid` and
// `$topdir/.Trash-$uid`. Each keeps its trashed entries in `files` and their records in `info`.

// The trash whose files folder holds `entry` directly, by the spelling of the path alone (the home
// trash as `$XDG_DATA_HOME` spells it); nothing for any other path. Whether the path really leads
// there is for the caller to check.
std::optional<std::filesystem::path> trashHolding(const std::filesystem::path& entry);

// Whether the trash folder `trash` may be read and written. The specification requires the
// trashes on other volumes not to be symbolic links (and a shared `.Trash` to be sticky); the home
// trash is held to the same rule, and so are the files and info folders of each, so that no link
// can send trashed files, their records or their deletion somewhere else. A trash on another
// volume must also belong to the user, who alone may empty it. Fails with EACCES when a rule is
// broken; folders that do not exist yet break none.
Outcome checkTrashFolders(const std::filesystem::path& trash);

struct TopDirectoryTrash {
    std::filesystem::path folder;
    // The file system it is the trash of.
    MountedFileSystem mount;
};

// This user's trashes at the top of the file systems in `mounts` that the user can empty: each
// one whose files folder exists and may be written, and whose folders keep every rule of
// checkTrashFolders, once, however many mounts show it (with the mount that shows it, the last
// made where several are stacked). The file system that holds `homeTrash` (whose top-directory
// trashes the desktop does not use) and pseudo file systems are passed over. In mount order.
std::vector<TopDirectoryTrash> topDirectoryTrashes(const std::vector<MountedFileSystem>& mounts,
                                                   const std::filesystem::path& homeTrash);

} // namespace platform
