#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/FixtureHome.h"
#include "scan/routines/DeveloperJunk.h"
#include "scan/routines/DerivedDataLabel.h"
#include "scan/DiskScanner.h"
#include "support/FakeAppBundle.h"

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
