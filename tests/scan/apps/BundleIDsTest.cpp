#include <gtest/gtest.h>

#include "scan/apps/AppImages.h"
#include "scan/apps/BundleIDs.h"
#include "scan/apps/DisplayName.h"

// One support-file ending comes off, case and all; what is left must be an identifier of three
// parts or more with a known first part and letters or digits of any script.
TEST(BundleIDFromFileName, TakesOffOneSupportFileEndingAndNeedsAnIdentifierOfThreeParts)
{
    using Expected = std::optional<std::string>;
    const std::pair<std::string_view, Expected> cases[] = {
        {"com.vendor.tool.plist", "com.vendor.tool"}, {"com.vendor.tool.savedState.plist", "com.vendor.tool"},
        {"com.vendor.tool.plist.plist", "com.vendor.tool.plist"}, {"com.vendor.tool.PLIST", "com.vendor.tool.PLIST"},
        {"Io.vendor.tool_2-beta", "Io.vendor.tool_2-beta"}, {"jp.会社.ツール", "jp.会社.ツール"},
        {"com.vendor.plist", std::nullopt}, {"vendor.tool", std::nullopt}, {"xyz.vendor.tool", std::nullopt},
        {"com..tool", std::nullopt}, {"com.vendor.My Tool", std::nullopt}, {"com.vendor.tool🙂", std::nullopt},
        {"com.vendor.\xc3", std::nullopt}, {"", std::nullopt}};
    for (const auto& [name, expected] : cases)
        EXPECT_EQ(DiskScanner::bundleID(name), expected) << name;
}

TEST(DisplayName, TakesTheLastPartThatIsNotGeneric)
{
    EXPECT_EQ(DiskScanner::displayName("com.example.MyApp"), "MyApp");
    EXPECT_EQ(DiskScanner::displayName("com.example.Desktop.AGENT"), "example");
    // The first part is never examined; all examined parts generic: the last part.
    EXPECT_EQ(DiskScanner::displayName("com.app"), "app");
    EXPECT_EQ(DiskScanner::displayName("com..tool."), "tool");
    EXPECT_EQ(DiskScanner::displayName(""), "");
}

TEST(AppImageName, EndsBeforeTheVersionOrTheExtension)
{
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"Obsidian-1.5.3.AppImage", "Obsidian"}, {"balenaEtcher-1.18.11-x64.AppImage", "balenaEtcher"},
        {"Super-Tool-2.0.appimage", "Super-Tool"}, {"Tool.APPIMAGE", "Tool"}, {"-1.AppImage", "-1.AppImage"}};
    for (const auto& [file, name] : cases)
        EXPECT_EQ(DiskScanner::appImageName(file), name) << file;
}
