#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/FixtureHome.h"
#include "scan/apps/AppNames.h"
#include "scan/apps/InstalledApps.h"
#include "support/FakeAppBundle.h"

using ::testing::UnorderedElementsAre;

TEST(InstalledApps, FindsBundlesInTheRootsAndOneFolderDown)
{
    FixtureHome home;
    makeAppBundle(home.applications("Editor.app"), "com.vendor.editor");
    makeAppBundle(home.applications("Utilities/Terminal Tool.app"), "com.vendor.terminal");
    makeAppBundle(home.applications("Suite/Inner/Deep.app"), "com.vendor.deep");
    // Capital extension: an ordinary folder, entered, and its "Contents" is no app.
    makeAppBundle(home.applications("Shouty.APP"), "com.vendor.shouty");
    makeAppBundle(home.applications(".Hidden.app"), "com.vendor.hidden");
    makeAppBundle(home.applications("Locked/Secret.app"), "com.vendor.secret");
    home.tree().setMode("Applications/Locked", 0);
    makeAppBundle(home.path("Applications/Mine.app"), "org.me.mine");
    makeAppBundle(home.systemApplications("Calculator.app"), "com.apple.calculator");

    const auto withoutSystem = DiskScanner::installedApps(false);
    EXPECT_THAT(withoutSystem, UnorderedElementsAre(home.applications("Editor.app"),
                                                    home.applications("Utilities/Terminal Tool.app"),
                                                    home.path("Applications/Mine.app")));
    // Roots in order: the shared folder, the home folder's, the system's.
    EXPECT_EQ(withoutSystem.back(), home.path("Applications/Mine.app"));
    const auto withSystem = DiskScanner::installedApps(true);
    ASSERT_EQ(withSystem.size(), 4u);
    EXPECT_EQ(withSystem.back(), home.systemApplications("Calculator.app"));
}

TEST(InstalledApps, MissingRootsAddNothingAndUnreadableBundlesAreLeftOut)
{
    FixtureHome home;
    EXPECT_TRUE(DiskScanner::installedApps(true).empty());
    makeAppBundle(home.applications("Editor.app"), "com.vendor.editor", PlistFormat::xml);
    home.tree().file("Applications/Broken.app/Contents/Info.plist", 100, '\x9c');
    home.tree().folder("Applications/Empty.app");
    makeAppBundle(home.systemApplications("Xcode.app"), "com.apple.dt.Xcode");
    const auto bundles = DiskScanner::installedBundles(false);
    ASSERT_EQ(bundles.size(), 1u);
    EXPECT_EQ(bundles[0].identifier, "com.vendor.editor");

    const auto lookup = DiskScanner::installedApplications();
    EXPECT_EQ(lookup.bundles().size(), 2u);
    EXPECT_EQ(lookup.location("com.apple.dt.xcode"), home.systemApplications("Xcode.app"));
}

TEST(AppNames, NamesFoldersAfterTheApplicationWithThatIdentifier)
{
    FixtureHome home;
    makeAppBundle(home.applications("Editor Pro.app"), "com.vendor.editor");
    const auto lookup = DiskScanner::installedApplications();
    EXPECT_EQ(AppNames::app("COM.Vendor.Editor", lookup),
              (AppNames::App{"Editor Pro", home.applications("Editor Pro.app")}));
    EXPECT_EQ(AppNames::app("Editor", lookup), (AppNames::App{"Editor", std::nullopt}));
}
