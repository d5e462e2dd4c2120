#pragma once

#include <QPalette>

class QWidget;

#include "ui/design/DynamicColor.h"

// The warm cream-and-brown colours every screen draws with, each with its light and dark variant.
namespace Palette {

inline constexpr DynamicColor canvas{hexColor(0xFBF7F1), hexColor(0x1C1816)};
inline constexpr DynamicColor card{hexColor(0xFFFFFF), hexColor(0x28221F)};
// Recessed fills: soft buttons, bar tracks, icon buttons.
inline constexpr DynamicColor sunken{hexColor(0xF3ECE3), hexColor(0x342D29)};
inline constexpr DynamicColor ink{hexColor(0x3B2F2A), hexColor(0xF6EFE9)};
inline constexpr DynamicColor inkSecondary{hexColor(0x85756B), hexColor(0xBAABA1)};
inline constexpr DynamicColor inkTertiary{hexColor(0xB3A59B), hexColor(0x877970)};
inline constexpr DynamicColor hairline{hexColor(0x3B2F2A, 0.08), hexColor(0xFFFFFF, 0.08)};
inline constexpr DynamicColor shadow{hexColor(0x8A5A3C, 0.12), hexColor(0x000000, 0.40)};
// The brand coral, the same in both appearances.
inline constexpr DynamicColor brand{hexColor(0xFF7A59)};
inline constexpr DynamicColor success{hexColor(0x23946F), hexColor(0x5ED3A8)};
inline constexpr DynamicColor successTint{hexColor(0xDDF4EA), hexColor(0x1E3A30)};
inline constexpr DynamicColor warning{hexColor(0xC27A06), hexColor(0xF6BD55)};
inline constexpr DynamicColor warningTint{hexColor(0xFDF0D3), hexColor(0x3D321F)};
inline constexpr DynamicColor danger{hexColor(0xD9434A), hexColor(0xFF8085)};

// A Qt palette in these colours for the appearance in force, for the stock widgets a screen may
// hold (scroll bars, text fields, menus). Set it on windows, not on the application: the
// application palette stays the desktop's, which AppearanceFollower reads.
QPalette qtPalette();

// Sets qtPalette() on the top-level `window` now and again whenever the appearance changes.
void follow(QWidget* window);

} // namespace Palette
