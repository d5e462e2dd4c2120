#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>

#include "support/PropertyListWriter.h"

// Makes an application bundle at `location` ("…/Name.app"): "Contents/Info.plist" with the
// identifier and the executable name "Name", and that executable with `executableSize` bytes.
// Returns `location`.
std::filesystem::path makeAppBundle(const std::filesystem::path& location, std::string_view identifier,
                                    PlistFormat format = PlistFormat::binary, std::int64_t executableSize = 4096);

// Sets a file's access time (the stand-in for an application's last use), in seconds since 1970.
void setAccessTime(const std::filesystem::path& file, std::int64_t secondsSinceEpoch);
