#include <gtest/gtest.h>

#include "scan/apps/DisplayName.h"
#include "scan/Text.h"

using DiskScanner::displayName;

TEST(DisplayName, TakesTheLastPartThatIsNotGeneric)
{
    EXPECT_EQ(displayName("com.example.MyApp"), "MyApp");
    EXPECT_EQ(displayName("com.example.app"), "example");
    EXPECT_EQ(displayName("com.example.mac.helper"), "example");
    EXPECT_EQ(displayName("com.example.Desktop.AGENT"), "example");
    // The first part is never examined; all examined parts generic: the last part.
    EXPECT_EQ(displayName("com.app"), "app");
    EXPECT_EQ(displayName("app.helper"), "helper");
    EXPECT_EQ(displayName("standalone"), "standalone");
    EXPECT_EQ(displayName("com..tool."), "tool");
    EXPECT_EQ(displayName("..."), "...");
    EXPECT_EQ(displayName(""), "");
}

TEST(Text, LowercasesByUnicodeAndSplitsWithoutEmptyPieces)
{
    EXPECT_EQ(Text::lowercased("Application Support/ÜBER.App"), "application support/über.app");
    EXPECT_EQ(Text::lowercased("\xff"), "\xef\xbf\xbd");
    EXPECT_EQ(Text::nonEmptyParts("-My--App-abc-", '-'), (std::vector<std::string_view>{"My", "App", "abc"}));
    EXPECT_TRUE(Text::nonEmptyParts("", '-').empty());
}
