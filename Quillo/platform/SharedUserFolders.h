#pragma once

#include <string_view>

namespace platform {

// Whether an entry of the user's settings, data or caches folder (WellKnownFolders::userSettings,
// userData, userCaches) is one the desktop and every application share rather than one
// application's own, whatever an application is called: its launchers, icons, fonts, themes,
// Trash, Flatpak installation, autostart and service settings, keyrings. Compared without regard
// to case. macOS keeps no such folders.
bool isSharedUserFolder(std::string_view name);

} // namespace platform
