#include "platform/SharedUserFolders.h"

#include <algorithm>
#include <cctype>

namespace platform {

namespace {

// Of the freedesktop.org specifications and the common desktops, in lower case.
constexpr std::string_view sharedFolders[] = {
    "applications", "icons",    "mime",        "fonts",       "themes",          "trash",
    "flatpak",      "sounds",   "backgrounds", "keyrings",    "autostart",       "systemd",
    "menus",        "dconf",    "gtk-2.0",     "gtk-3.0",     "gtk-4.0",         "fontconfig",
    "pulse",        "dbus-1",   "thumbnails",  "gnome-shell", "plasma",          "environment.d",
    "mimeapps.list", "user-dirs.dirs", "recently-used.xbel", "gvfs-metadata", "desktop-directories",
    "xdg-desktop-portal",
};

bool equalIgnoringCase(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b, [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

} // namespace

bool isSharedUserFolder(std::string_view name)
{
    return std::ranges::any_of(sharedFolders, [&](std::string_view shared) { return equalIgnoringCase(name, shared); });
}

} // namespace platform
