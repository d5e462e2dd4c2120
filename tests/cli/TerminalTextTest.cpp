#include <gtest/gtest.h>

#include "cli/ArgumentText.h"
#include "cli/TerminalText.h"
#include "scan/DiskScanner.h"

// Each expected text is what GNU ls prints for such a name on a terminal (its shell-escape
// style), so a name shown can be pasted into a shell, and no byte of it can drive the terminal.
TEST(TerminalText, QuotesNamesAsLsDoesOnATerminal)
{
    const std::pair<std::string, std::string> cases[] = {
        {"plain.txt", "plain.txt"},
        {"Caf\xc3\xa9", "Caf\xc3\xa9"},
        {"with space", "'with space'"},
        {"a=b", "'a=b'"},
        {"~x", "'~x'"},
        {"a'b", "\"a'b\""},
        {"it's $HOME", "'it'\\''s $HOME'"},
        {"a\tb", "'a'$'\\t''b'"},
        {"evil\x1b[31mred\nline", "'evil'$'\\033''[31mred'$'\\n''line'"},
        {"bad-\xff-x", "'bad-'$'\\377''-x'"},
        // A C1 control (CSI) is a terminal command too.
        {"\xc2\x9bx", "$'\\302\\233''x'"},
    };
    DiskScanner::setHomeForTesting("/home/ann");
    for (const auto& [name, shown] : cases)
        EXPECT_EQ(TerminalText::path("/home/ann/" + name), "~/" + shown) << name;
    EXPECT_EQ(TerminalText::path("/srv/with space"), "'/srv/with space'");
    // Names and details are quoted only where a terminal needs it.
    EXPECT_EQ(TerminalText::escaped("with space"), "with space");
    EXPECT_EQ(TerminalText::escaped("line\nbreak"), "'line'$'\\n''break'");
    EXPECT_EQ(TerminalText::path("/home/ann"), "~");
}

// Arguments reach the parser as text and come back as the same bytes, whatever they were.
TEST(ArgumentText, EveryArgumentSurvivesTheTripThroughText)
{
    for (const std::string& bytes : {std::string("/home/ann/Caf\xc3\xa9/\xf0\x9f\x93\xa6 box"),
                                     std::string("/tmp/bad-\xff\xfe-name"), std::string("/overlong/\xc0\xaf"),
                                     std::string("/surrogate/\xed\xa0\x80"), std::string("/cut/\xe2\x82"),
                                     std::string("/beyond/\xf4\x90\x80\x80"), std::string("--item=/x/\xff")})
        EXPECT_EQ(ArgumentText::toBytes(ArgumentText::fromBytes(bytes)), bytes) << bytes;
    EXPECT_EQ(ArgumentText::fromBytes("--dry-run"), "--dry-run");
}
