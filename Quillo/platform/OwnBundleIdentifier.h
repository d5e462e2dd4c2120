#pragma once

#include <string_view>

namespace platform {

// Quillo's own bundle identifier: what the system knows the application by, and the name of
// the folders it would keep its own caches in.
inline constexpr std::string_view ownBundleIdentifier = "app.quillo.Quillo";

} // namespace platform
