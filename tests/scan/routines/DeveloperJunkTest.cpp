#include <cstdlib>
#include <set>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/FixtureHome.h"
#include "scan/routines/DeveloperJunk.h"
#include "scan/routines/BuildFolders.h"
#include "scan/routines/DerivedDataLabel.h"
#include "scan/DiskScanner.h"
#include "support/FakeAppBundle.h"
#include "support/RecordingSink.h"
#include "support/ScopedMount.h"

using ::testing::ElementsAre;
using DiskScanner::DerivedDataLabel;
using DiskScanner::derivedDataLabel;
using Tag = ScanItem::Tag;

namespace {

void writeWorkspace(const std::filesystem::path& buildFolder, std::string_view workspacePath, PlistFormat format)
{
    PlistDictionary info;
    info.text("WorkspacePath", workspacePath);
    info.write(buildFolder / "info.plist", format);
}

} // namespace

TEST(DerivedDataLabel, NamesBuildFoldersAfterTheirProject)
{
    TempTree tree;
    DiskScanner::setHomeForTesting("/Users/u");
    writeWorkspace(tree.path("MyApp-abcdefghijklmnop"), "/Users/u/Code/MyApp/MyApp.xcodeproj", PlistFormat::binary);
    writeWorkspace(tree.path("Runner-abc"), "/Users/u/Code/shop_app/ios/Runner.xcworkspace", PlistFormat::xml);
    writeWorkspace(tree.path("Viewer-abc"), "/Users/u/Code/Tools/macos/Viewer.xcodeproj/", PlistFormat::xml);
    writeWorkspace(tree.path("Other-abc"), "/srv/build/android/Other.xcodeproj", PlistFormat::binary);

    EXPECT_EQ(derivedDataLabel(tree.path("MyApp-abcdefghijklmnop")),
              (DerivedDataLabel{"MyApp", "DerivedData · ~/Code/MyApp"}));
    EXPECT_EQ(derivedDataLabel(tree.path("Runner-abc")), (DerivedDataLabel{"shop_app", "DerivedData · ~/Code/shop_app"}));
    // Lifted out of "macos" though not named "Runner".
    EXPECT_EQ(derivedDataLabel(tree.path("Viewer-abc")), (DerivedDataLabel{"Viewer", "DerivedData · ~/Code/Tools"}));
    EXPECT_EQ(derivedDataLabel(tree.path("Other-abc")), (DerivedDataLabel{"Other", "DerivedData · /srv/build/android"}));
}

TEST(DerivedDataLabel, FallsBackToTheFolderName)
{
    TempTree tree;
    tree.folder("Scratch-abcdefghijkl");
    tree.folder("NoDash");
    tree.folder("My-App-abc");
    tree.file("Garbage-0123456789/info.plist", 500, '\x9c');
    PlistDictionary numberPath;
    numberPath.integer("WorkspacePath", 3);
    numberPath.write(tree.path("Number-0123456789/info.plist"), PlistFormat::binary);
    writeWorkspace(tree.path("Relative-0123456789"), "Code/Relative.xcodeproj", PlistFormat::xml);
    writeWorkspace(tree.path("Empty-0123456789"), "", PlistFormat::xml);
    // Eight characters as a reader counts them: "é" written as e and a combining accent is one.
    tree.folder("Accent-e\xCC\x81" "bcdefghij");

    EXPECT_EQ(derivedDataLabel(tree.path("Scratch-abcdefghijkl")), (DerivedDataLabel{"Scratch", "Xcode DerivedData · abcdefgh"}));
    EXPECT_EQ(derivedDataLabel(tree.path("NoDash")), (DerivedDataLabel{"NoDash", "Xcode DerivedData"}));
    EXPECT_EQ(derivedDataLabel(tree.path("My-App-abc")), (DerivedDataLabel{"My-App", "Xcode DerivedData · abc"}));
    for (const char* name : {"Garbage", "Number", "Relative", "Empty"}) {
        EXPECT_EQ(derivedDataLabel(tree.path(std::string(name) + "-0123456789")),
                  (DerivedDataLabel{name, "Xcode DerivedData · 01234567"}));
    }
    EXPECT_EQ(derivedDataLabel(tree.path("Accent-e\xCC\x81" "bcdefghij")),
              (DerivedDataLabel{"Accent", "Xcode DerivedData · e\xCC\x81" "bcdefgh"}));
}

TEST(DeveloperJunk, OffersBuildFoldersDeviceSupportAndToolCaches)
{
    FixtureHome home;
    const auto xcode = makeAppBundle(home.applications("Xcode.app"), "com.apple.dt.Xcode");
    const auto studio = makeAppBundle(home.applications("Android Studio.app"), "com.google.android.studio");
    home.file("Library/Developer/Xcode/DerivedData/Scratch-abcdefghijkl/Build/x.o");
    home.file("Library/Developer/Xcode/DerivedData/.hidden-abc/x.o");
    home.file("Library/Developer/Xcode/iOS DeviceSupport/17.2 (21C62)/Symbols/dyld");
    home.file("Library/Developer/Xcode/watchOS DeviceSupport/10.1/Symbols/dyld");
    home.file("Library/Developer/Xcode/Archives/2024-05-01/App.xcarchive/Info.plist");
    home.file(".gradle/caches/modules/jar");
    home.file(".npm/_cacache/index");
    home.file(".pub-cache/hosted/pub.dev/pkg");
    home.folder(".cocoapods/repos"); // exists, but empty: dropped by measuring

    const CategoryResult result = DiskScanner::developerJunk(ProgressSink());
    EXPECT_FALSE(result.accessDenied);
    ASSERT_EQ(result.items.size(), 7u);

    const struct {
        std::string_view location;
        Tag tag;
        std::optional<std::filesystem::path> icon;
    } expected[] = {
        {"Library/Developer/Xcode/DerivedData/Scratch-abcdefghijkl", Tag::rebuildable, xcode},
        {"Library/Developer/Xcode/iOS DeviceSupport/17.2 (21C62)", Tag::rebuildable, xcode},
        {"Library/Developer/Xcode/watchOS DeviceSupport/10.1", Tag::rebuildable, xcode},
        {"Library/Developer/Xcode/Archives", Tag::review, xcode},
        {".gradle/caches", Tag::rebuildable, studio},
        {".npm/_cacache", Tag::rebuildable, std::nullopt},
        {".pub-cache/hosted", Tag::review, std::nullopt},
    };
    for (const auto& want : expected) {
        const ScanItem* item = findItem(result, home.path(want.location));
        ASSERT_NE(item, nullptr) << want.location;
        EXPECT_THAT(item->tags, ElementsAre(want.tag)) << want.location;
        // Only what rebuilds itself is ticked.
        EXPECT_EQ(item->isRecommended, want.tag == Tag::rebuildable) << want.location;
        EXPECT_EQ(item->iconURL, want.icon) << want.location;
    }
    EXPECT_EQ(findItem(result, home.path(expected[0].location))->name, "Scratch");
    EXPECT_EQ(findItem(result, home.path(expected[1].location))->name, "iOS 17.2 (21C62)");
}

TEST(DeveloperJunk, WithoutTheDevelopmentEnvironmentItemsHaveNoIcon)
{
    FixtureHome home;
    home.file("Library/Developer/Xcode/DerivedData/App-abc/x.o");
    home.file("Library/Developer/Xcode/macOS DeviceSupport/14.0/Symbols/dyld");
    home.file("Library/Developer/CoreSimulator/Caches/dyld/cache");

    const CategoryResult result = DiskScanner::developerJunk(ProgressSink());
    ASSERT_EQ(result.items.size(), 3u);
    for (const ScanItem& item : result.items)
        EXPECT_EQ(item.iconURL, std::nullopt) << item.name;
    EXPECT_EQ(findItem(result, home.path("Library/Developer/CoreSimulator/Caches"))->name, "Simulator caches");
}

TEST(DeveloperJunk, OffersTheCachesOfLinuxToolsWhereverXdgCacheHomePutsThem)
{
    FixtureHome home;
    ::setenv("XDG_CACHE_HOME", home.path("cache").c_str(), 1);
    const char* rows[] = {"cache/pip/http/x", "cache/uv/wheels/x", "cache/pypoetry/cache/x", "cache/yarn/v6/x",
                          ".npm/_npx/0a1b/x", ".local/share/pnpm/store/v3/x", "cache/go-build/00/x",
                          "go/pkg/mod/cache/download/golang.org/x/text/@v/v0.14.0.zip", ".cargo/registry/cache/x",
                          ".cargo/registry/src/x", ".cargo/git/db/x", ".m2/repository/org/x.jar",
                          ".gradle/wrapper/dists/gradle-8.5-bin/x", "cache/JetBrains/IdeaIC2024.1/x",
                          ".config/Code/Cache/x", ".config/Code/CachedData/x", "cache/ccache/0/x",
                          "cache/bazel/_bazel_u/x", "cache/node-gyp/20.11.0/x", "cache/huggingface/hub/x",
                          "cache/ms-playwright/chromium-1105/x"};
    for (const char* row : rows)
        home.file(row);
    home.file(".cache/pip/http/stale"); // where XDG_CACHE_HOME no longer points
    home.folder(".cargo/registry/index"); // not a row

    const CategoryResult result = DiskScanner::developerJunk(ProgressSink());
    ASSERT_EQ(result.items.size(), std::size(rows));
    const std::set<std::string> forReview = {"pnpm store", "Cargo git checkouts", "Maven repository",
                                             "Hugging Face cache", "Playwright browsers"};
    for (const ScanItem& item : result.items) {
        const bool review = forReview.contains(item.name);
        EXPECT_THAT(item.tags, ElementsAre(review ? Tag::review : Tag::rebuildable)) << item.name;
        EXPECT_EQ(item.isRecommended, !review) << item.name;
    }
    const ScanItem* pip = findItem(result, home.path("cache/pip"));
    ASSERT_NE(pip, nullptr);
    EXPECT_EQ(pip->name, "pip cache");
    EXPECT_EQ(pip->detail, "Python packages, re-downloaded on demand");
    EXPECT_EQ(findItem(result, home.path("go/pkg/mod/cache/download"))->name, "Go module downloads");
}

// Nor what the user keeps, nor another file system mounted among the user's folders.
TEST(DeveloperJunk, FindsTaggedBuildFoldersWithoutEnteringThemOrWhatIsOfferedElsewhere)
{
    FixtureHome home;
    home.folder("Code/drive");
    ScopedMount drive = ScopedMount::tmpfs(home.path("Code/drive"));
    if (!drive.ok())
        GTEST_SKIP() << drive.why();
    ::setenv("XDG_CACHE_HOME", home.path("cache").c_str(), 1);
    const std::string signature(DiskScanner::cacheDirectoryTagSignature);
    const std::string tag = signature + "\n# This file is a cache directory tag created by cargo.\n";
    auto tagged = [&](const std::string& folder, const std::string& contents) {
        writeFile(home.path(folder) / "CACHEDIR.TAG", contents);
        home.file(folder + "/debug/build.o", 40'000);
    };
    tagged("Code/rusty/target", tag);
    tagged("Code/rusty/target/debug/incremental", tag);
    // Checked before the name is skipped; not entered once tagged.
    tagged("Code/web/node_modules", signature);
    tagged("Code/web/node_modules/pkg/build", tag);
    // Skipped untagged, so never searched.
    tagged("Code/other/node_modules/pkg/build", tag);
    tagged("Code/fake/out", "Signature: 0000\n");
    tagged("Code/.hidden/target", tag);
    tagged("Library/Caches/tool", tag);
    // Offered elsewhere, whole: a tool cache, and what the caches folder holds.
    tagged("go/pkg/mod/cache/download/example.com/tool", tag);
    tagged("cache/ccache", tag);
    tagged("cache/fontconfig", tag);
    tagged("stray-build", tag);
    tagged("Code/kept/target", tag);
    tagged("Code/drive/project/target", tag);
    home.tree().symlink("home/Code/linked", home.path("Code/rusty/target"));

    RecordingSink recorder;
    auto kept = std::make_shared<const platform::PathPatterns>(std::vector<std::string>{"~/Code/kept"}, home.path());
    const CategoryResult result = DiskScanner::developerJunk(recorder.sink().leavingOut(kept));
    std::vector<std::filesystem::path> buildFolders;
    for (const ScanItem& item : result.items) {
        if (item.detail.starts_with("Build folder"))
            buildFolders.push_back(item.url);
    }
    EXPECT_THAT(buildFolders, ::testing::UnorderedElementsAre(home.path("Code/rusty/target"),
                                                              home.path("Code/web/node_modules"),
                                                              home.path("stray-build")));
    const ScanItem* target = findItem(result, home.path("Code/rusty/target"));
    EXPECT_EQ(target->name, "rusty");
    EXPECT_EQ(target->detail, "Build folder · ~/Code/rusty");
    EXPECT_THAT(target->tags, ElementsAre(Tag::rebuildable));
    EXPECT_FALSE(target->isRecommended);
    EXPECT_EQ(findItem(result, home.path("stray-build"))->detail, "Build folder · ~");
    // The search and the measuring share one progress that never goes back.
    ASSERT_FALSE(recorder.reports.empty());
    for (std::size_t i = 1; i < recorder.reports.size(); ++i)
        EXPECT_GE(recorder.reports[i].fraction, recorder.reports[i - 1].fraction);
    EXPECT_EQ(recorder.reports.back().fraction, 1.0);
}
