#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "support/WidgetApplication.h"
#include "foundation/Preferences.h"
#include "records/PreferenceKeys.h"
#include "ui/design/AppearanceFollower.h"
#include "ui/design/Appearance.h"
#include "ui/design/ModuleTheme.h"
#include "ui/design/Palette.h"

namespace {

using platform::ColorScheme;

const QColor lightWindow(0xef, 0xef, 0xef);
const QColor darkWindow(0x2a, 0x2a, 0x2a);

// Restores the light appearance for the tests that follow.
struct LightAfterwards {
    ~LightAfterwards() { Appearance::instance().apply(false); }
};

} // namespace

// An explicit choice wins; "system" follows the desktop's stated scheme, else its palette.
TEST(AppearanceResolution, AnExplicitChoiceWinsOverTheDesktopWhichWinsOverItsPalette)
{
    for (auto desktop : {std::optional(ColorScheme::dark), std::optional(ColorScheme::light), std::optional<ColorScheme>()}) {
        EXPECT_FALSE(AppearanceFollower::resolvesDark(AppAppearance::light, desktop, darkWindow));
        EXPECT_TRUE(AppearanceFollower::resolvesDark(AppAppearance::dark, desktop, lightWindow));
    }
    EXPECT_TRUE(AppearanceFollower::resolvesDark(AppAppearance::system, ColorScheme::dark, lightWindow));
    EXPECT_FALSE(AppearanceFollower::resolvesDark(AppAppearance::system, ColorScheme::light, darkWindow));
    EXPECT_TRUE(AppearanceFollower::resolvesDark(AppAppearance::system, std::nullopt, darkWindow));
    EXPECT_FALSE(AppearanceFollower::resolvesDark(AppAppearance::system, std::nullopt, lightWindow));
}

TEST(Appearance, SwitchesEveryDynamicColourAtOnceAndLeavesPlainOnesAlone)
{
    LightAfterwards restore;
    Appearance::instance().apply(false);
    const ModuleTheme lightTheme = ModuleTheme::of(Module::trash);
    const QColor lightCanvas = Palette::canvas.current();
    const QColor lightTint = lightTheme.tint.current();

    Appearance::instance().apply(true);
    EXPECT_TRUE(Appearance::isDark());
    EXPECT_NE(Palette::canvas.current(), lightCanvas);
    // Themes made before the switch follow it too.
    EXPECT_NE(lightTheme.tint.current(), lightTint);
    EXPECT_EQ(lightTheme.tint.current(), ModuleTheme::of(Module::trash).tint.current());
    EXPECT_EQ(ModuleTheme::of(Module::trash).strong, lightTheme.strong);
}

TEST(AppearanceFollower, FollowsTheStoredChoiceLive)
{
    LightAfterwards restore;
    QTemporaryDir folder;
    Preferences preferences(folder.filePath("preferences.json"));
    preferences.setString(PreferenceKeys::appearance, "dark");
    AppearanceFollower follower(preferences);
    EXPECT_TRUE(Appearance::isDark());
    preferences.setString(PreferenceKeys::appearance, "light");
    EXPECT_FALSE(Appearance::isDark());
    preferences.setString(PreferenceKeys::appearance, "sepia"); // unknown: follow the desktop
    EXPECT_EQ(follower.chosen(), AppAppearance::system);
}
