#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "platform/Result.h"

namespace platform {

// An application bundle (a "Name.app" folder) as its "Contents/Info.plist" describes it.
struct AppBundle {
    std::filesystem::path location;
    // CFBundleIdentifier; never empty.
    std::string identifier;
    // CFBundleExecutable: the main executable's file name in "Contents/MacOS"; absent where the
    // bundle names none, or names something that is not a plain file name.
    std::optional<std::string> executableName;

    // The main executable's location; absent without an executable name.
    std::optional<std::filesystem::path> executable() const;

    bool operator==(const AppBundle&) const = default;
};

// Reads the bundle at `location`. Fails when "Contents/Info.plist" cannot be read or parsed
// (binary or XML), and with `no_message_available` when it names no bundle identifier.
Result<AppBundle> openAppBundle(const std::filesystem::path& location);

} // namespace platform
