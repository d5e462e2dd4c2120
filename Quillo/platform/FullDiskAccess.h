#pragma once

#include <filesystem>

namespace platform {

// Whether this process may read the folders the system closes to applications without Full
// Disk Access: the user's Trash is one of them, so its readability is the probe. Linux has no
// such permission: access counts as granted unless the Trash folder exists and cannot be read
// (a missing Trash is normal on a fresh account).
bool hasFullDiskAccess(const std::filesystem::path& home);

} // namespace platform
