#pragma once

namespace platform {

// Whether this process may read the folders the system closes to applications without Full
// Disk Access: the user's Trash is one of them, so its readability is the probe. Linux has no
// such permission: access counts as granted unless the home folder's Trash exists and cannot be
// read, or is reached through a link (which nothing of ours reads; see TrashFolders.h). A missing
// Trash is normal on a fresh account. The one probe: scans and the settings ask it alike.
bool hasFullDiskAccess();

} // namespace platform
