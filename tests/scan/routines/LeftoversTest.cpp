#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/FixtureHome.h"
#include "scan/routines/Leftovers.h"
#include "support/FakeAppBundle.h"
#include "support/RecordingSink.h"
#include "support/TempTree.h"
#include "scan/SystemAnswers.h"

using ::testing::ElementsAre;

namespace {

std::map<std::string, ScanItem> leftoversByIdentifier()
{
    std::map<std::string, ScanItem> found;
    for (ScanItem& item : DiskScanner::leftovers(ProgressSink()).items)
        found[*item.bundleID] = std::move(item);
    return found;
}

} // namespace

TEST(Leftovers, OneItemPerIdentifierAcrossTheSupportFoldersSmallestPathFirst)
{
    FixtureHome home;
    home.file("Library/Preferences/com.vendor.tool.plist", 4096);
    home.file("Library/Saved Application State/com.vendor.tool.savedState/windows.plist", 4096);
    home.file("Library/HTTPStorages/com.vendor.tool/cookies", 4096);
    home.file("Library/HTTPStorages/com.vendor.tool.binarycookies", 4096);
    home.file("Library/Application Support/com.vendor.tool/data", 8192);
    home.file("Library/LaunchAgents/org.other.sync-agent.plist", 4096);
    home.file("Library/WebKit/COM.Vendor.Tool/store", 4096);
    RecordingSink recorder;
    const CategoryResult result = DiskScanner::leftovers(recorder.sink());
    EXPECT_FALSE(result.accessDenied);
    ASSERT_EQ(result.items.size(), 3u);
    EXPECT_EQ(recorder.reports.size(), 3u);

    const ScanItem& tool = result.items.front();
    EXPECT_EQ(tool.bundleID, "com.vendor.tool");
    EXPECT_EQ(tool.url, home.path("Library/Application Support/com.vendor.tool"));
    EXPECT_EQ(tool.extraURLs, (std::vector<std::filesystem::path>{
                                  home.path("Library/HTTPStorages/com.vendor.tool"),
                                  home.path("Library/HTTPStorages/com.vendor.tool.binarycookies"),
                                  home.path("Library/Preferences/com.vendor.tool.plist"),
                                  home.path("Library/Saved Application State/com.vendor.tool.savedState"),
                              }));
    EXPECT_EQ(tool.detail, "com.vendor.tool · 5 items");
    EXPECT_THAT(tool.tags, ElementsAre(ScanItem::Tag::review));
    EXPECT_FALSE(tool.isRecommended);
    EXPECT_EQ(tool.size, 6 * 4096);
    // Groups keep the case of the name.
    EXPECT_THAT(leftoversByIdentifier(), ::testing::Contains(::testing::Key("COM.Vendor.Tool")));
}

TEST(Leftovers, InstalledAppsProtectTheirVendorAndAppleIsAlwaysProtected)
{
    FixtureHome home;
    makeAppBundle(home.applications("Editor.app"), "com.Vendor.editor");
    makeAppBundle(home.systemApplications("Notes.app"), "org.system.notes");
    for (const char* name : {"com.vendor.tool.plist", "COM.VENDOR.other.plist", "com.apple.Safari.plist",
                             "org.system.helper.plist", "com.gone.tool.plist",
                             ".com.hidden.tool.plist", "vendor.tool.plist"})
        home.file("Library/Preferences/" + std::string(name), 4096);
    home.file("Library/Application Support/com.gone.empty/nothing", 0);
    EXPECT_THAT(leftoversByIdentifier(), ElementsAre(::testing::Key("com.gone.tool")));
}

// Flatpak's data and the settings, data and caches named by identifier are searched too; a
// Flatpak application or a desktop entry that is installed protects its own and its vendor's.
TEST(Leftovers, ALinuxHomesFoldersAreSearchedAndItsInstalledAppsProtectTheirs)
{
    FixtureHome home;
    for (const char* folder : {".var/app", ".config", ".local/share", ".cache"})
        home.file(std::string(folder) + "/com.gone.Tool/x", 4096);
    home.file(".var/app/org.flatpak.Installed/data/x");
    home.file(".var/app/org.other.Tool/data/x");
    home.file(".config/org.gnome.Weather/x");
    home.file(".config/nvim/init.lua");
    DiskScanner::setFlatpakAppsForTesting({{"org.flatpak.Installed", home.path(".local/share/flatpak"), std::nullopt}});
    writeFile(home.tree().path("usr/share/applications/org.gnome.Nautilus.desktop"),
              "[Desktop Entry]\nType=Application\nName=Files\n");
    writeFile(home.path(".local/share/applications/org.other.Tool.desktop"),
              "[Desktop Entry]\nType=Application\nName=Tool\n");

    const auto found = leftoversByIdentifier();
    ASSERT_THAT(found, ElementsAre(::testing::Key("com.gone.Tool")));
    const ScanItem& gone = found.at("com.gone.Tool");
    EXPECT_EQ(gone.url, home.path(".cache/com.gone.Tool"));
    EXPECT_EQ(gone.extraURLs, (std::vector<std::filesystem::path>{home.path(".config/com.gone.Tool"),
                                                                    home.path(".local/share/com.gone.Tool"),
                                                                    home.path(".var/app/com.gone.Tool")}));
}
