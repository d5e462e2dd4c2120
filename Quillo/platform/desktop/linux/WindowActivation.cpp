#include "platform/desktop/WindowActivation.h"

#include <QGuiApplication>
#include <QWindow>

namespace platform {

void bringToFront(QWindow& window, const QString& activationToken)
{
    // Qt's Wayland window reads the token from the environment when it asks to be activated,
    // and takes it out again once used.
    if (!activationToken.isEmpty() && QGuiApplication::platformName() == QLatin1String("wayland"))
        qputenv("XDG_ACTIVATION_TOKEN", activationToken.toUtf8());
    window.raise();
    window.requestActivate();
}

} // namespace platform
