#include <regex>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cli/CommandLineHome.h"

using ::testing::HasSubstr;
using ::testing::Not;

namespace {

// Select Graphic Rendition: what sets colour and weight.
bool hasColour(const std::string& text) { return std::regex_search(text, std::regex("\x1b\\[[0-9;]*m")); }

class TerminalOutput : public CommandLineHome {
protected:
    void SetUp() override
    {
        CommandLineHome::SetUp();
        // A name that would turn the terminal red, and split the listing, were it written raw.
        tree.file("home/Library/Caches/evil\x1b[31mred\nline/data", 5'000);
    }
};

} // namespace

// A file name is bytes anyone could choose: on a terminal it is shown as `ls` shows it, never raw,
// and only Quillo's own colour reaches the terminal, and none with NO_COLOR.
TEST_F(TerminalOutput, ControlCharactersInNamesNeverReachTheTerminalRaw)
{
    const std::string escapedName = "'evil'$'\\033''[31mred'$'\\n''line'";
    const QuilloRun coloured = runQuilloOnTerminal({"scan", "system-junk"}, home());
    EXPECT_EQ(coloured.status, 0) << coloured.out;
    EXPECT_THAT(coloured.out, HasSubstr(escapedName + "\x1b[2m  (rebuildable)  App cache\x1b[0m\n"));
    EXPECT_THAT(coloured.out, HasSubstr("~/'Library/Caches/evil'$'\\033''[31mred'$'\\n''line'\n"));
    EXPECT_THAT(coloured.out, Not(HasSubstr("evil\x1b")));
    EXPECT_TRUE(hasColour(coloured.out));

    const QuilloRun plain = runQuilloOnTerminal({"scan", "system-junk"}, home(), {"NO_COLOR=1"});
    EXPECT_EQ(plain.status, 0) << plain.out;
    EXPECT_THAT(plain.out, HasSubstr(escapedName + "  (rebuildable)  App cache\n"));
    EXPECT_FALSE(hasColour(plain.out)) << plain.out;

    // Not a terminal: no escape sequence at all, on either stream, in the listing, a clean's
    // messages or the JSON.
    for (const QStringList& arguments :
         {QStringList{"scan", "system-junk"}, QStringList{"scan", "system-junk", "--json"},
          QStringList{"clean", "system-junk", "-n"}, QStringList{"size", text(caches("evil\x1b[31mred\nline"))}}) {
        const QuilloRun run = quillo(arguments);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_THAT(run.out + run.err, Not(HasSubstr("\x1b"))) << arguments.join(' ').toStdString();
    }
}

// On a terminal, a clean asks first, saying where the items go, and only "y" lets them go.
TEST_F(TerminalOutput, ACleanOnATerminalAsksFirstAndSaysWhereTheItemsGo)
{
    const QStringList clean{"clean", "system-junk", "--item", text(caches("com.example.editor"))};
    const QuilloRun declined = runQuilloOnTerminal(clean, home(), {"NO_COLOR=1"}, "n\n");
    EXPECT_EQ(declined.status, 0) << declined.out;
    // What was typed is echoed whenever it was typed; the answers come after the question.
    EXPECT_THAT(declined.out, HasSubstr("\nMove 1 item (41 KB) to the Trash? [y/N] Nothing was removed.\n"));
    EXPECT_TRUE(std::filesystem::exists(caches("com.example.editor")));

    const QuilloRun accepted = runQuilloOnTerminal(clean + QStringList{"--permanent"}, home(), {"NO_COLOR=1"}, "y\n");
    EXPECT_EQ(accepted.status, 0) << accepted.out;
    EXPECT_THAT(accepted.out, HasSubstr("\nDelete 1 item (41 KB) for good? [y/N] Freed 41 KB: 1 item cleaned, 0 failed.\n"));
    EXPECT_FALSE(isPresent(caches("com.example.editor")));
}

// `quillo scan x | head` is an ordinary thing to type: the program ends when the reader goes,
// without a word on the terminal.
TEST_F(TerminalOutput, AClosedPipeEndsTheProgramQuietly)
{
    // More than a pipe holds, so that writing goes on after the reader has gone.
    for (int i = 0; i < 300; ++i)
        tree.file("home/Library/Caches/" + std::string(200, 'a') + std::to_string(i) + "/data", 1);
    for (const QString& arguments : {QString("scan system-junk"), QString("scan system-junk --json")}) {
        const QuilloRun run = runShell("\"$QUILLO\" " + arguments + " | head -n 1 >/dev/null; echo \"${PIPESTATUS[0]}\"", home());
        EXPECT_THAT(run.out, ::testing::AnyOf("0\n", "141\n")) << arguments.toStdString();
        EXPECT_EQ(run.err, "") << arguments.toStdString();
    }
}
