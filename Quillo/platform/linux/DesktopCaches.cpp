#include "platform/DesktopCaches.h"

#include <algorithm>
#include <array>

namespace platform {

namespace {

// Exact names.
constexpr std::array<std::string_view, 14> desktopCaches = {
    "fontconfig", "nvidia",   "AMD",     "gstreamer-1.0", "dconf",  "tracker", "tracker3", "gnome-software",
    "gnome-desktop-thumbnailer", "evolution-data-server", "icon-cache.kcache", "kwin", "krunner", "at-spi",
};

// Names the system numbers or versions ("mesa_shader_cache_db", "ksycoca6_en-GB_...", "ibus-table").
constexpr std::array<std::string_view, 6> desktopCachePrefixes = {
    "mesa_shader_cache", "radv_builtin_shaders", "ibus", "ksycoca", "plasma", "event-sound-cache.tdb",
};

} // namespace

bool isDesktopCache(std::string_view name)
{
    return std::ranges::find(desktopCaches, name) != desktopCaches.end() ||
           std::ranges::any_of(desktopCachePrefixes, [&](std::string_view prefix) { return name.starts_with(prefix); });
}

} // namespace platform
