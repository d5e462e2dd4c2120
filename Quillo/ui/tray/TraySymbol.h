#pragma once

#include <QIcon>
#include <QString>

#include "platform/desktop/DesktopColorScheme.h"

// The tray icon's image: a warning triangle while the disk is nearly full, sparkles otherwise,
// in one colour that stands out on the panel's shade, as the panels' own symbols are drawn.
namespace TraySymbol {

QString symbolName(bool spaceIsLow);
QColor glyphColor(platform::ColorScheme panel);
// In every size trays ask for, sharp on screens of double density too.
QIcon icon(bool spaceIsLow, platform::ColorScheme panel);

} // namespace TraySymbol
