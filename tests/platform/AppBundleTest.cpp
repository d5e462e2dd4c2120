#include <gtest/gtest.h>

#include "platform/AppBundle.h"
#include "platform/ApplicationLookup.h"
#include "platform/LastUsedDate.h"
#include "support/FakeAppBundle.h"
#include "support/TempTree.h"

using namespace platform;

TEST(AppBundle, ReadsIdentifierAndExecutableFromBinaryAndXml)
{
    TempTree tree;
    for (PlistFormat format : {PlistFormat::binary, PlistFormat::xml}) {
        const auto location = makeAppBundle(tree.path(format == PlistFormat::xml ? "Xml.app" : "Binary.app"),
                                            "com.example.Tool", format);
        const auto bundle = openAppBundle(location);
        ASSERT_TRUE(bundle);
        EXPECT_EQ(bundle->location, location);
        EXPECT_EQ(bundle->identifier, "com.example.Tool");
        EXPECT_EQ(bundle->executable(), location / "Contents/MacOS" / location.stem());
    }
}

TEST(AppBundle, UnreadableOrAnonymousBundlesFail)
{
    TempTree tree;
    tree.folder("Empty.app/Contents");
    tree.file("Garbage.app/Contents/Info.plist", 300, '\x9c');
    PlistDictionary withoutIdentifier;
    withoutIdentifier.text("CFBundleName", "Nameless");
    withoutIdentifier.write(tree.path("Nameless.app/Contents/Info.plist"), PlistFormat::xml);
    PlistDictionary blankIdentifier;
    blankIdentifier.text("CFBundleIdentifier", "");
    blankIdentifier.write(tree.path("Blank.app/Contents/Info.plist"), PlistFormat::binary);
    PlistDictionary numberIdentifier;
    numberIdentifier.integer("CFBundleIdentifier", 42);
    numberIdentifier.write(tree.path("Number.app/Contents/Info.plist"), PlistFormat::binary);

    EXPECT_EQ(openAppBundle(tree.path("Empty.app")).error(), std::errc::no_such_file_or_directory);
    EXPECT_EQ(openAppBundle(tree.path("Garbage.app")).error(), std::errc::bad_message);
    for (const char* name : {"Nameless.app", "Blank.app", "Number.app"})
        EXPECT_EQ(openAppBundle(tree.path(name)).error(), std::errc::no_message_available) << name;
}

TEST(AppBundle, AnExecutableNameThatLeavesTheBundleIsIgnored)
{
    TempTree tree;
    PlistDictionary info;
    info.text("CFBundleIdentifier", "com.example.sly").text("CFBundleExecutable", "../../../outside");
    info.write(tree.path("Sly.app/Contents/Info.plist"), PlistFormat::xml);
    const auto bundle = openAppBundle(tree.path("Sly.app"));
    ASSERT_TRUE(bundle);
    EXPECT_EQ(bundle->executable(), std::nullopt);
    EXPECT_EQ(lastUsedDate(*bundle), std::nullopt);
}

TEST(ApplicationLookup, FindsBundlesByIdentifierIgnoringCaseFirstOneWins)
{
    const ApplicationLookup lookup({
        {"/Applications/Editor.app", "com.Vendor.Editor", "Editor"},
        {"/home/u/Applications/Editor.app", "com.vendor.editor", "Editor"},
    });
    EXPECT_EQ(lookup.location("COM.VENDOR.EDITOR"), "/Applications/Editor.app");
    EXPECT_EQ(lookup.location("com.vendor"), std::nullopt);
}

TEST(LastUsedDate, IsTheExecutablesAccessTime)
{
    TempTree tree;
    const auto location = makeAppBundle(tree.path("Tool.app"), "com.example.tool");
    setAccessTime(location / "Contents/MacOS/Tool", 1'600'000'000);
    const auto bundle = openAppBundle(location).value();
    EXPECT_EQ(lastUsedDate(bundle), TimePoint(std::chrono::seconds(1'600'000'000)));

    std::filesystem::remove(location / "Contents/MacOS/Tool");
    EXPECT_EQ(lastUsedDate(bundle), std::nullopt);
    EXPECT_EQ(lastUsedDate(AppBundle{location, "com.example.tool", std::nullopt}), std::nullopt);
}
