#pragma once

#include <QString>

class QWindow;

namespace platform {

// Brings `window` to the front and gives it the keyboard, with the activation token a launcher
// or another instance passed on (empty: none). Wayland lets a window take the focus only with
// such a token; X11 window managers may take it as the startup notification's identifier.
void bringToFront(QWindow& window, const QString& activationToken);

} // namespace platform
