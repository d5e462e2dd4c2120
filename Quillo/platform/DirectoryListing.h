#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/FileAttributes.h"
#include "platform/Result.h"

namespace platform {

struct DirectoryEntry {
    std::filesystem::path path;
    // The last path component.
    std::string name;
    // What the listing says the entry is; `unknown` where the file system does not say.
    FileType type = FileType::unknown;
};

struct ListingOptions {
    // Leave out entries whose name starts with ".".
    bool skipHidden = false;
};

// The direct entries of a folder, in the file system's order. The folder itself may be reached
// through a symbolic link; its entries are listed, never followed.
Result<std::vector<DirectoryEntry>> listDirectory(const std::filesystem::path& folder, ListingOptions options = {});

inline bool isHiddenName(std::string_view name) { return !name.empty() && name.front() == '.'; }

} // namespace platform
