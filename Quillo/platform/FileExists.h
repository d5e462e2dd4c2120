#pragma once

#include <filesystem>

namespace platform {

// Whether a file or folder exists at `path`. A symbolic link counts by what it points to, as in
// the file manager's own test: a link to nothing does not exist.
bool fileExists(const std::filesystem::path& path);

} // namespace platform
