#pragma once

#include <optional>

#include "platform/desktop/DesktopColorScheme.h"

namespace platform {

// Whether the panel that holds the tray icons is light or dark, as well as can be told: no desktop
// says so. GNOME's top bar is dark in either scheme; elsewhere panels follow the desktop's scheme,
// which is light when the desktop states none.
ColorScheme trayPanelShade(std::optional<ColorScheme> desktopScheme);

} // namespace platform
