#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/FixtureHome.h"
#include "platform/OwnBundleIdentifier.h"
#include "scan/routines/SystemJunk.h"
#include "support/FakeAppBundle.h"

using ::testing::ElementsAre;
using Tag = ScanItem::Tag;

TEST(SystemJunk, AppleCachesAreShownButNotTickedSaveTheDevelopmentEnvironments)
{
    FixtureHome home;
    home.file("Library/Caches/com.apple.Safari/cache.db");
    home.file("Library/Caches/com.apple.dt.Xcode/index");
    home.file("Library/Caches/com.vendor.editor/blob");
    home.file("Library/Caches/loose.db");
    // Differs from a protected name in case only: offered.
    home.file("Library/Caches/com.apple.clouddocs/x");

    const CategoryResult result = DiskScanner::systemJunk(ProgressSink());
    EXPECT_FALSE(result.accessDenied);
    ASSERT_EQ(result.items.size(), 5u);
    const ScanItem* safari = findItem(result, home.path("Library/Caches/com.apple.Safari"));
    EXPECT_THAT(safari->tags, ElementsAre(Tag::system));
    EXPECT_FALSE(safari->isRecommended);
    EXPECT_EQ(safari->detail, "App cache");
    EXPECT_THAT(findItem(result, home.path("Library/Caches/com.apple.clouddocs"))->tags, ElementsAre(Tag::system));
    for (const char* name : {"com.apple.dt.Xcode", "com.vendor.editor", "loose.db"}) {
        const ScanItem* item = findItem(result, home.path("Library/Caches") / name);
        ASSERT_NE(item, nullptr) << name;
        EXPECT_THAT(item->tags, ElementsAre(Tag::rebuildable));
        EXPECT_TRUE(item->isRecommended);
    }
}

TEST(SystemJunk, ProtectedOwnHiddenAndEmptyCachesAreNeverOffered)
{
    FixtureHome home;
    home.file("Library/Caches/CloudKit/state");
    home.file("Library/Caches/com.apple.nsurlsessiond/state");
    home.file(std::string("Library/Caches/") + std::string(platform::ownBundleIdentifier) + "/mine");
    home.file("Library/Caches/.hidden/x");
    home.folder("Library/Caches/com.vendor.empty");
    // The logs keep no exclusions but hidden entries.
    home.file(std::string("Library/Logs/") + std::string(platform::ownBundleIdentifier) + "/quillo.log");
    home.file("Library/Logs/com.apple.xpc/launchd.log");
    home.file("Library/Logs/.hidden.log");

    const CategoryResult result = DiskScanner::systemJunk(ProgressSink());
    ASSERT_EQ(result.items.size(), 2u);
    for (const ScanItem& item : result.items) {
        EXPECT_EQ(item.url.parent_path(), home.path("Library/Logs"));
        EXPECT_EQ(item.detail, "Log files");
        EXPECT_THAT(item.tags, ElementsAre(Tag::rebuildable));
        EXPECT_TRUE(item.isRecommended);
    }
}

TEST(SystemJunk, EntriesAreNamedAfterTheirInstalledApplication)
{
    FixtureHome home;
    const auto editor = makeAppBundle(home.applications("Editor Pro.app"), "com.vendor.editor");
    home.file("Library/Caches/com.vendor.editor/blob");
    home.file("Library/Logs/com.vendor.editor/editor.log");
    home.file("Library/Caches/com.vendor.gone/blob");

    const CategoryResult result = DiskScanner::systemJunk(ProgressSink());
    const ScanItem* cache = findItem(result, home.path("Library/Caches/com.vendor.editor"));
    EXPECT_EQ(cache->name, "Editor Pro");
    EXPECT_EQ(cache->iconURL, editor);
    EXPECT_EQ(findItem(result, home.path("Library/Logs/com.vendor.editor"))->name, "Editor Pro");
    const ScanItem* gone = findItem(result, home.path("Library/Caches/com.vendor.gone"));
    EXPECT_EQ(gone->name, "com.vendor.gone");
    EXPECT_EQ(gone->iconURL, std::nullopt);
}

TEST(SystemJunk, MissingFoldersAddNothingAndProgressEndsComplete)
{
    FixtureHome empty;
    std::vector<ScanProgress> reports;
    const CategoryResult nothing =
        DiskScanner::systemJunk(ProgressSink([&](const ScanProgress& report) { reports.push_back(report); }));
    EXPECT_TRUE(nothing.items.empty());
    EXPECT_FALSE(nothing.accessDenied);
    EXPECT_THAT(reports, ElementsAre(ScanProgress{0, "", 1.0}));
}

namespace {

// A desktop entry as the desktops and distributions write them.
void writeDesktopEntry(const std::filesystem::path& file, std::string_view name, std::string_view moreKeys)
{
    writeFile(file, "[Desktop Entry]\nType=Application\nName=" + std::string(name) + "\nName[de]=" +
                        std::string(name) + " (de)\n" + std::string(moreKeys));
}

} // namespace

TEST(SystemJunk, ALinuxHomesCachesAreNamedAfterTheirAppsAndTheDesktopsOwnAreNotTicked)
{
    FixtureHome home;
    const auto chrome = home.path(".local/share/applications/google-chrome.desktop");
    writeDesktopEntry(chrome, "Google Chrome", "Exec=/usr/bin/google-chrome-stable %U\nIcon=google-chrome\n");
    const auto system = home.tree().path("usr/share/applications");
    writeDesktopEntry(system / "org.mozilla.Thunderbird.desktop", "Thunderbird",
                      "Exec=/usr/lib/thunderbird/thunderbird-bin %u\nStartupWMClass=thunderbird\n");
    writeDesktopEntry(system / "org.inkscape.Inkscape.desktop", "Inkscape", "Exec=\"/usr/bin/inkscape\" %F\n");
    writeDesktopEntry(system / "org.kde.krita.desktop", "Krita", "Exec=krita %F\n");
    // Deleted by the user: its name must not be used.
    writeDesktopEntry(home.path(".local/share/applications/org.kde.krita.desktop"), "Krita", "Hidden=true\n");
    for (const char* cache : {"google-chrome/Default/Cache/data_0", "thunderbird/startupCache/x", "inkscape/x",
                              "krita/x", "thumbnails/large/1.png", "mozilla/firefox/profile/cache2/x", "fontconfig/a.cache-8",
                              "mesa_shader_cache_db/index", "ibus-table/x"})
        home.file(std::string(".cache/") + cache);
    // Never offered: received files, Quillo's own cache, what Developer Junk offers, hidden ones.
    for (const char* kept : {"obexd/photo.jpg", "Quillo/x", "app.quillo.Quillo/x", "pip/http/x", "pypoetry/cache/x",
                             "JetBrains/IdeaIC/x", ".hidden/x"})
        home.file(std::string(".cache/") + kept);

    const CategoryResult result = DiskScanner::systemJunk(ProgressSink());
    ASSERT_EQ(result.items.size(), 9u);
    const ScanItem* chromeCache = findItem(result, home.path(".cache/google-chrome"));
    EXPECT_EQ(chromeCache->name, "Google Chrome");
    EXPECT_EQ(chromeCache->iconURL, chrome);
    EXPECT_EQ(chromeCache->detail, "App cache");
    EXPECT_EQ(findItem(result, home.path(".cache/thunderbird"))->name, "Thunderbird");
    EXPECT_EQ(findItem(result, home.path(".cache/inkscape"))->name, "Inkscape");
    EXPECT_EQ(findItem(result, home.path(".cache/krita"))->name, "krita");
    for (const char* name : {"fontconfig", "mesa_shader_cache_db", "ibus-table", "thumbnails", "mozilla"}) {
        const ScanItem* item = findItem(result, home.path(".cache") / name);
        ASSERT_NE(item, nullptr) << name;
        const bool desktops = std::string_view(name) != "thumbnails" && std::string_view(name) != "mozilla";
        EXPECT_THAT(item->tags, ElementsAre(desktops ? Tag::system : Tag::rebuildable)) << name;
        EXPECT_EQ(item->isRecommended, !desktops) << name;
    }
}

TEST(SystemJunk, SandboxedAppCachesCarryTheAppsIdSoARunningOnesCacheStays)
{
    FixtureHome home;
    writeDesktopEntry(home.path(".local/share/flatpak/exports/share/applications/org.gimp.GIMP.desktop"),
                      "GNU Image Manipulation Program",
                      "Exec=/usr/bin/flatpak run --branch=stable --command=gimp org.gimp.GIMP %U\n"
                      "X-Flatpak=org.gimp.GIMP\n");
    const auto firefox = home.tree().path("usr/share/applications/firefox_firefox.desktop");
    writeDesktopEntry(firefox, "Firefox",
                      "Exec=env BAMF_DESKTOP_FILE_HINT=/var/lib/snapd/desktop/applications/firefox_firefox.desktop "
                      "/snap/bin/firefox %u\n");
    home.file(".var/app/org.gimp.GIMP/cache/gegl-0.4/swap", 20'000);
    home.file(".var/app/org.gimp.GIMP/config/GIMP/gimprc");
    home.file(".var/app/com.example.Unlisted/cache/x");
    home.folder(".var/app/org.example.Empty/cache");
    home.file(".var/app/org.example.NoCache/data/x");
    home.file("snap/firefox/common/.cache/mozilla/firefox/x", 30'000);
    home.file("snap/firefox/2356/.mozilla/firefox/profile/places.sqlite");
    home.file(".cache/flatpak/appstream/x");

    const CategoryResult result = DiskScanner::systemJunk(ProgressSink());
    ASSERT_EQ(result.items.size(), 4u);
    // Every Flatpak entry runs the program "flatpak": none of them owns Flatpak's own cache.
    EXPECT_EQ(findItem(result, home.path(".cache/flatpak"))->name, "flatpak");
    const ScanItem* gimp = findItem(result, home.path(".var/app/org.gimp.GIMP/cache"));
    EXPECT_EQ(gimp->name, "GNU Image Manipulation Program");
    EXPECT_EQ(gimp->bundleID, "org.gimp.GIMP");
    const ScanItem* snap = findItem(result, home.path("snap/firefox/common/.cache"));
    EXPECT_EQ(snap->name, "Firefox");
    EXPECT_EQ(snap->iconURL, firefox);
    EXPECT_EQ(snap->bundleID, "firefox");
    const ScanItem* unlisted = findItem(result, home.path(".var/app/com.example.Unlisted/cache"));
    EXPECT_EQ(unlisted->name, "com.example.Unlisted");
    for (const ScanItem& item : result.items) {
        EXPECT_EQ(item.detail, "App cache");
        EXPECT_THAT(item.tags, ElementsAre(Tag::rebuildable));
        EXPECT_TRUE(item.isRecommended);
    }
}

TEST(SystemJunk, TheXServersPastLogsAreLogItems)
{
    FixtureHome home;
    home.file(".local/share/xorg/Xorg.0.log");
    home.file(".local/share/xorg/Xorg.0.log.old");
    home.file(".local/share/xorg/Xorg.pid");
    home.file(".xsession-errors.old");
    home.file(".xsession-errors"); // the running session's

    const CategoryResult result = DiskScanner::systemJunk(ProgressSink());
    ASSERT_EQ(result.items.size(), 3u);
    for (const char* log :
         {".local/share/xorg/Xorg.0.log", ".local/share/xorg/Xorg.0.log.old", ".xsession-errors.old"}) {
        const ScanItem* item = findItem(result, home.path(log));
        ASSERT_NE(item, nullptr) << log;
        EXPECT_EQ(item->detail, "Log files");
        EXPECT_TRUE(item->isRecommended);
    }
}
