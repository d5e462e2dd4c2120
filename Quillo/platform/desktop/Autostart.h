#pragma once

#include <QString>
#include <QStringList>

#include "platform/Result.h"

namespace platform {

// Starting the application when the user logs in. Linux: an XDG autostart entry of the user's
// own, $XDG_CONFIG_HOME/autostart/ID.desktop, which the desktop session runs at login.
namespace Autostart {

// Whether the user's session starts `applicationId` at login: its entry is there and not
// switched off (Hidden, or GNOME's own switch).
bool isEnabled(const QString& applicationId);

// Writes the entry, which runs `command` (the program first, then its arguments) and is shown
// to the user as `name`; or removes it. An entry of the same name that the user or a package put
// in the system-wide autostart folder is overridden by a hidden one when switching off.
Outcome setEnabled(const QString& applicationId, bool enabled, const QString& name, const QStringList& command);

} // namespace Autostart

} // namespace platform
