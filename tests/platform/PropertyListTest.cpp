#include <gtest/gtest.h>

#include "platform/FileContents.h"
#include "platform/PropertyList.h"
#include "support/PropertyListWriter.h"
#include "support/TempTree.h"

using platform::PropertyListDictionary;

namespace {

// Whole seconds: the XML form keeps no fractions.
const platform::TimePoint someDate = platform::TimePoint(std::chrono::seconds(1'715'000'000));

std::string sample(PlistFormat format)
{
    PlistDictionary dictionary;
    dictionary.text("Device Name", "Work phone").date("Last Backup Date", someDate).integer("Count", 7);
    return dictionary.bytes(format);
}

} // namespace

TEST(PropertyList, ReadsTextAndDatesFromBinaryAndXml)
{
    for (PlistFormat format : {PlistFormat::binary, PlistFormat::xml}) {
        const auto parsed = PropertyListDictionary::parse(sample(format));
        ASSERT_TRUE(parsed);
        EXPECT_EQ(parsed->string("Device Name"), "Work phone");
        EXPECT_EQ(parsed->date("Last Backup Date"), someDate);
        // A value of another type, or no value, is absent.
        EXPECT_EQ(parsed->string("Count"), std::nullopt);
        EXPECT_EQ(parsed->date("Device Name"), std::nullopt);
        EXPECT_EQ(parsed->string("Missing"), std::nullopt);
    }
    PropertyListDictionary empty;
    EXPECT_EQ(empty.string("Device Name"), std::nullopt);
    EXPECT_EQ(empty.date("Last Backup Date"), std::nullopt);
}

namespace {

// {key: value} in binary with one-byte offsets and references, by hand: libplist cannot write
// text holding a NUL. `key` and `value` are whole objects, marker included.
std::string binaryDictionary(std::string_view key, std::string_view value)
{
    std::string bytes("bplist00\xD1\x01\x02", 11);
    bytes += key;
    bytes += value;
    const std::size_t table = bytes.size();
    bytes += {'\x08', '\x0B', static_cast<char>(11 + key.size())};
    std::string trailer(32, '\0');
    trailer[6] = 1;
    trailer[7] = 1;
    trailer[15] = 3;
    trailer[31] = static_cast<char>(table);
    return bytes + trailer;
}

} // namespace

TEST(PropertyList, TextHoldingANulIsAbsentNotCutShort)
{
    using namespace std::string_view_literals;
    const std::string ascii = binaryDictionary("\x54Name"sv, "\x55org\0x"sv);
    const std::string utf16 = binaryDictionary("\x54Name"sv, "\x63\0o\0\0\0x"sv);
    for (const std::string& bytes : {ascii, utf16}) {
        const auto parsed = PropertyListDictionary::parse(bytes);
        ASSERT_TRUE(parsed);
        EXPECT_EQ(parsed->string("Name"), std::nullopt);
    }
    // The same list without the NUL reads, so it is the NUL that is refused.
    EXPECT_EQ(PropertyListDictionary::parse(binaryDictionary("\x54Name"sv, "\x55orgAx"sv))->string("Name"), "orgAx");
    // A key cut short would answer for another key.
    EXPECT_FALSE(PropertyListDictionary::parse(binaryDictionary("\x56Name\0x"sv, "\x53org"sv)).ok());
}

TEST(PropertyList, MalformedInputFailsCleanly)
{
    const std::string binary = sample(PlistFormat::binary);
    const std::string xml = sample(PlistFormat::xml);
    for (const std::string& bytes : {std::string(), binary.substr(0, binary.size() / 2), binary.substr(0, 9),
                                     xml.substr(0, xml.size() / 2), std::string("bplist00") + std::string(40, '\xff'),
                                     std::string(1000, '\x9c'), std::string("<plist><dict><key>a</key>")}) {
        EXPECT_EQ(PropertyListDictionary::parse(bytes).error(), std::errc::bad_message) << bytes.size() << " bytes";
    }
    // Parsed, but not a dictionary.
    EXPECT_EQ(PropertyListDictionary::parse(arrayPropertyList(PlistFormat::binary)).error(), std::errc::invalid_argument);
    EXPECT_EQ(PropertyListDictionary::parse(arrayPropertyList(PlistFormat::xml)).error(), std::errc::invalid_argument);
}

TEST(PropertyList, DeepNestingIsRefusedBeforeItExhaustsTheStack)
{
    // Within the limit: parsed (and refused only for not being a dictionary).
    const std::size_t allowed = PropertyListDictionary::maxNesting - 1;
    EXPECT_EQ(PropertyListDictionary::parse(nestedArraysBinary(allowed)).error(), std::errc::invalid_argument);
    EXPECT_EQ(PropertyListDictionary::parse(nestedArraysXml(allowed)).error(), std::errc::invalid_argument);
    for (std::size_t depth : {PropertyListDictionary::maxNesting + 1, std::size_t{500'000}}) {
        EXPECT_EQ(PropertyListDictionary::parse(nestedArraysBinary(depth)).error(), std::errc::bad_message);
        EXPECT_EQ(PropertyListDictionary::parse(nestedArraysXml(depth)).error(), std::errc::bad_message);
    }
    // Left open: libplist would free the half-built tree recursively.
    std::string arrays = "<plist>";
    std::string dictionaries = "<plist>";
    for (int i = 0; i < 1'000'000; ++i)
        arrays += "<array>";
    for (int i = 0; i < 300'000; ++i)
        dictionaries += "<dict><key>k</key>";
    EXPECT_EQ(PropertyListDictionary::parse(arrays).error(), std::errc::bad_message);
    EXPECT_EQ(PropertyListDictionary::parse(dictionaries).error(), std::errc::bad_message);
}

TEST(PropertyList, XmlMarkupIsFollowedExactlyOrRefused)
{
    const std::string prologue = R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE plist PUBLIC "-//Apple//DTD PLIST 1.0//EN" "http://www.apple.com/DTDs/PropertyList-1.0.dtd">
<!-- kept by hand -->
)";
    const auto parsed = PropertyListDictionary::parse(prologue + R"(<plist version="1.0"><dict>
  <key>Name</key><string>Tom <![CDATA[& </array>]]><!-- </dict> --></string>
  <key>List</key><array><true/><dict/><string>x</string></array>
</dict></plist>)");
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->string("Name"), "Tom & </array>");

    // An end tag hidden where a reader could take it for text or for markup is refused, so no
    // reading of it can nest deeper than the check saw.
    for (const char* hostile : {
             "<plist><array><string></array></string><array></array></array></plist>",
             R"(<plist><array a="</array>"><array></array></array></plist>)",
             "<plist><![CDATA[</array>]]><array></array></plist>",
             "<plist><array><!ELEMENT x></array></plist>",
             "<!DOCTYPE plist [<!ENTITY a \"b\">]><plist><dict/></plist>",
             "<plist><array></dict></array></plist>",
             "<plist><dict>text<key>a</key><string>b</string></dict></plist>",
         }) {
        EXPECT_EQ(PropertyListDictionary::parse(hostile).error(), std::errc::bad_message) << hostile;
    }
}

TEST(PropertyList, ACycleOfReferencesIsRefused)
{
    // One array that holds itself, with one-byte references and offsets.
    std::string bytes = "bplist00\xA1";
    bytes += '\0';
    bytes += '\x08';
    std::string trailer(32, '\0');
    trailer[6] = 1;
    trailer[7] = 1;
    trailer[15] = 1;
    trailer[31] = 10;
    EXPECT_EQ(PropertyListDictionary::parse(bytes + trailer).error(), std::errc::bad_message);
}

TEST(PropertyList, FilesAreReadWithinTheCapOnly)
{
    TempTree tree;
    PlistDictionary dictionary;
    dictionary.text("WorkspacePath", "/Users/u/Code/MyApp/MyApp.xcodeproj");
    dictionary.write(tree.path("info.plist"), PlistFormat::xml);
    EXPECT_EQ(PropertyListDictionary::read(tree.path("info.plist"))->string("WorkspacePath"),
              "/Users/u/Code/MyApp/MyApp.xcodeproj");
    // What a link leads to is never read: it could be a device, a FIFO or a file elsewhere.
    EXPECT_EQ(PropertyListDictionary::read(tree.symlink("link.plist", tree.path("info.plist"))).error(),
              std::errc::too_many_symbolic_link_levels);

    // A huge file is refused without being read: it is sparse, so reading it would take long.
    tree.file("huge.plist");
    std::filesystem::resize_file(tree.path("huge.plist"), 50'000'000);
    EXPECT_EQ(PropertyListDictionary::read(tree.path("huge.plist")).error(), std::errc::file_too_large);
    EXPECT_EQ(PropertyListDictionary::read(tree.path("missing.plist")).error(), std::errc::no_such_file_or_directory);
    EXPECT_EQ(PropertyListDictionary::read(tree.folder("folder.plist")).error(), std::errc::is_a_directory);
    EXPECT_EQ(PropertyListDictionary::read(tree.fifo("pipe.plist")).error(), std::errc::invalid_argument);
    EXPECT_EQ(PropertyListDictionary::read(tree.file("empty.plist")).error(), std::errc::bad_message);
}

TEST(FileContents, ReadsUpToTheLimitAndRefusesMore)
{
    TempTree tree;
    tree.file("ten", 10, 'a');
    EXPECT_EQ(platform::readFileContents(tree.path("ten"), 10).value(), std::string(10, 'a'));
    EXPECT_EQ(platform::readFileContents(tree.path("ten"), 9).error(), std::errc::file_too_large);
    EXPECT_EQ(platform::readFileContents(tree.file("empty"), 0).value(), "");
    // Files that report no size, as the kernel's do, are read up to the limit and no further.
    EXPECT_FALSE(platform::readFileContents("/proc/self/status", 1'000'000).value().empty());
    EXPECT_EQ(platform::readFileContents("/proc/self/status", 5).error(), std::errc::file_too_large);
}
