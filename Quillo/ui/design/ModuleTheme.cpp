#include "ui/design/ModuleTheme.h"

namespace {

struct ThemeColors {
    unsigned strong;
    unsigned onStrong;
    unsigned tintLight, tintDark;
    unsigned inkLight, inkDark;
};

// Indexed by Module case.
constexpr ThemeColors themes[Module::caseCount] = {
    {0xFF7A59, 0xFFFFFF, 0xFFE7DE, 0x3D2721, 0x8A3417, 0xFFB8A3}, // smartScan
    {0x2FB59A, 0xFFFFFF, 0xDCF3EC, 0x1D3631, 0x1C5E4F, 0x8FE0C9}, // systemJunk
    {0x8B7CF6, 0xFFFFFF, 0xEAE6FE, 0x2B2742, 0x40348F, 0xC6BDFF}, // developerJunk
    {0xF2B23E, 0x4A3206, 0xFDF1D6, 0x3B3121, 0x7A520C, 0xF7D085}, // trash
    {0x7CBF3A, 0x2D4A0C, 0xEEF7DD, 0x2A3320, 0x3F5F12, 0xC4E59A}, // uninstaller
    {0xC56CD6, 0xFFFFFF, 0xF7E6FA, 0x3A2440, 0x6A1F7A, 0xE6B3F0}, // leftovers
    {0xEE6FA0, 0xFFFFFF, 0xFDE4EE, 0x3B2331, 0x8A2350, 0xF7AACA}, // largeFiles
    {0x1FB3CC, 0xFFFFFF, 0xDBF4F8, 0x1B3439, 0x0E5866, 0x8FDCEA}, // duplicates
    {0x4DA3F0, 0xFFFFFF, 0xE0EFFD, 0x1F2F41, 0x1D4F80, 0x9FCCFA}, // downloads
    {0x6F82B0, 0xFFFFFF, 0xE8ECF6, 0x272D3D, 0x33405E, 0xB9C5E6}, // iosBackups
};

} // namespace

ModuleTheme ModuleTheme::of(Module module)
{
    const ThemeColors& colors = themes[static_cast<Module::Case>(module)];
    return {QColor::fromRgb(hexColor(colors.strong)), QColor::fromRgb(hexColor(colors.onStrong)),
            DynamicColor(hexColor(colors.tintLight), hexColor(colors.tintDark)),
            DynamicColor(hexColor(colors.inkLight), hexColor(colors.inkDark))};
}
