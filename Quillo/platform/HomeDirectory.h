#pragma once

#include <filesystem>

namespace platform {

// The user's home folder: $HOME when set and absolute, else the password database's entry.
std::filesystem::path homeDirectory();

} // namespace platform
