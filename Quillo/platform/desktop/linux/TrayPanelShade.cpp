#include "platform/desktop/TrayPanelShade.h"

#include <QString>

namespace platform {

ColorScheme trayPanelShade(std::optional<ColorScheme> desktopScheme)
{
    // XDG_CURRENT_DESKTOP is a colon-separated list, such as "ubuntu:GNOME".
    const QStringList desktops = qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(':');
    if (desktops.contains("GNOME", Qt::CaseInsensitive))
        return ColorScheme::dark;
    return desktopScheme.value_or(ColorScheme::light);
}

} // namespace platform
