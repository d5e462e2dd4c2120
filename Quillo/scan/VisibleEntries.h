#pragma once

#include <filesystem>
#include <vector>

#include "platform/DirectoryListing.h"

namespace DiskScanner {

// The direct entries of a folder without hidden ones, in listing order; none when the folder
// cannot be listed (missing or unreadable), which scans treat alike.
std::vector<platform::DirectoryEntry> visibleEntries(const std::filesystem::path& folder);

} // namespace DiskScanner
