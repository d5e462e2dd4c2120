#include "ui/tray/TraySymbol.h"

#include "ui/design/Symbols.h"

namespace TraySymbol {

QString symbolName(bool spaceIsLow)
{
    return spaceIsLow ? QStringLiteral("exclamationmark.triangle.fill") : QStringLiteral("sparkles");
}

QColor glyphColor(platform::ColorScheme panel)
{
    // The desktops' own symbolic icons: near white on dark panels, near black on light ones.
    return panel == platform::ColorScheme::dark ? QColor(0xF6, 0xF5, 0xF4) : QColor(0x2E, 0x34, 0x36);
}

QIcon icon(bool spaceIsLow, platform::ColorScheme panel)
{
    QIcon icon;
    const QString name = symbolName(spaceIsLow);
    for (int side : {16, 22, 24, 32, 48})
        for (qreal ratio : {1.0, 2.0})
            icon.addPixmap(Symbols::pixmap(name, side, glyphColor(panel), ratio));
    return icon;
}

} // namespace TraySymbol
