#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "scan/Leftovers.h"

using DiskScanner::bundleID;
using DiskScanner::vendorPrefix;

TEST(BundleIDFromFileName, TakesOffOneOfEachSupportFileEndingInOrder)
{
    EXPECT_EQ(bundleID("com.vendor.tool.plist"), "com.vendor.tool");
    EXPECT_EQ(bundleID("com.vendor.tool.savedState"), "com.vendor.tool");
    EXPECT_EQ(bundleID("com.vendor.tool.binarycookies"), "com.vendor.tool");
    EXPECT_EQ(bundleID("com.vendor.tool"), "com.vendor.tool");
    EXPECT_EQ(bundleID("com.vendor.tool.plist.plist"), "com.vendor.tool.plist");
    EXPECT_EQ(bundleID("com.vendor.tool.savedState.plist"), "com.vendor.tool");
    EXPECT_EQ(bundleID("com.vendor.tool.plist.savedState"), "com.vendor.tool.plist");
    // Endings compare with case.
    EXPECT_EQ(bundleID("com.vendor.tool.PLIST"), "com.vendor.tool.PLIST");
    EXPECT_EQ(bundleID("com.vendor.plist"), std::nullopt);
    EXPECT_EQ(bundleID("com.vendor.savedState.plist"), std::nullopt);
}

TEST(BundleIDFromFileName, NeedsThreePartsAKnownFirstPartAndIdentifierCharacters)
{
    EXPECT_EQ(bundleID("vendor.tool"), std::nullopt);
    EXPECT_EQ(bundleID("com..tool"), std::nullopt);
    EXPECT_EQ(bundleID("com..vendor.tool."), "com..vendor.tool.");
    EXPECT_EQ(bundleID("xyz.vendor.tool"), std::nullopt);
    EXPECT_EQ(bundleID("COM.Vendor.Tool"), "COM.Vendor.Tool");
    EXPECT_EQ(bundleID("Io.vendor.tool_2-beta"), "Io.vendor.tool_2-beta");
    EXPECT_EQ(bundleID("com.vendor.My Tool"), std::nullopt);
    EXPECT_EQ(bundleID("com.vendor.tool+"), std::nullopt);
    EXPECT_EQ(bundleID(""), std::nullopt);
}

TEST(BundleIDFromFileName, LettersAndDigitsOfEveryScriptButNothingElse)
{
    EXPECT_EQ(bundleID("jp.会社.ツール"), "jp.会社.ツール");
    EXPECT_EQ(bundleID("fr.éditeur.outil٣"), "fr.éditeur.outil٣");
    EXPECT_EQ(bundleID("com.vendor.tool🙂"), std::nullopt);
    EXPECT_EQ(bundleID("com.vendor.tool\u00a0x"), std::nullopt);
    EXPECT_EQ(bundleID("com.vendor.\xff\xfe"), std::nullopt);
    EXPECT_EQ(bundleID("com.vendor.\xc3"), std::nullopt);
    // Lower-cased the Unicode way: the Kelvin sign becomes "k".
    EXPECT_EQ(bundleID("U\u212A.vendor.tool"), "U\u212A.vendor.tool");
}

TEST(VendorPrefix, FirstTwoPartsInLowerCase)
{
    EXPECT_EQ(vendorPrefix("com.Example.App.helper"), "com.example");
    EXPECT_EQ(vendorPrefix("COM..Vendor.tool"), "com.vendor");
    EXPECT_EQ(vendorPrefix("com"), "com");
    EXPECT_EQ(vendorPrefix("ÉDITEUR.Outil.x"), "éditeur.outil");
}
