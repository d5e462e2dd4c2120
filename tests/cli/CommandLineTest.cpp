#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cli/CommandLineHome.h"

using ::testing::HasSubstr;
using ::testing::StartsWith;

using CommandLine = CommandLineHome;

TEST_F(CommandLine, HelpAndVersionAnswerOnStandardOutputAndSucceed)
{
    for (const QStringList& arguments : {QStringList{"--help"}, QStringList{"-h"}, QStringList{"help"}}) {
        const QuilloRun run = quillo(arguments);
        EXPECT_EQ(run.status, 0) << arguments.join(' ').toStdString();
        EXPECT_THAT(run.out, StartsWith("Usage: quillo COMMAND")) << arguments.join(' ').toStdString();
        EXPECT_EQ(run.err, "");
    }
    const std::string cleanHelp = quillo({"help", "clean"}).out;
    EXPECT_THAT(cleanHelp, StartsWith("Usage: quillo clean [OPTION]... MODULE\n"));
    EXPECT_THAT(cleanHelp, HasSubstr("\n      --items-from=FILE  "));
    EXPECT_THAT(cleanHelp, HasSubstr("system-junk"));
    // A command's help wins over its other arguments, even ones that are wrong.
    for (const QStringList& arguments : {QStringList{"clean", "--help"}, QStringList{"clean", "bogus", "-yh"},
                                         QStringList{"--help", "clean"}}) {
        const QuilloRun run = quillo(arguments);
        EXPECT_EQ(run.status, 0) << arguments.join(' ').toStdString();
        EXPECT_EQ(run.out, cleanHelp) << arguments.join(' ').toStdString();
    }
    const QuilloRun version = quillo({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_THAT(version.out, ::testing::MatchesRegex("quillo [0-9]+\\.[0-9]+\\.[0-9]+\n"));
}

// A mistake says what it was in one line (and what was likely meant in a second), removes
// nothing and exits 2, whatever the command.
TEST_F(CommandLine, MistakesExitTwoWithOneLineAndASuggestionWhenANameIsNear)
{
    const std::vector<std::pair<QStringList, std::string>> mistakes{
        {{"scna"}, "quillo: unknown command 'scna'\nquillo: did you mean 'scan'?\n"},
        {{"frobnicate"}, "quillo: unknown command 'frobnicate'\n"},
        {{}, "quillo: missing COMMAND (see 'quillo --help')\n"},
        {{"--bogus"}, "quillo: unknown option '--bogus'\n"},
        {{"help", "claen"}, "quillo help: unknown command 'claen'\nquillo help: did you mean 'clean'?\n"},
        {{"scan", "sytem-junk"}, "quillo scan: unknown module 'sytem-junk'\nquillo scan: did you mean 'system-junk'?\n"},
        {{"scan", "iosbackup"}, "quillo scan: unknown module 'iosbackup'\nquillo scan: did you mean 'ios-backups'?\n"},
        {{"scan", "nothing-like-it"}, "quillo scan: unknown module 'nothing-like-it' (see 'quillo modules')\n"},
        {{"scan", "\x1b[31mred"}, "quillo scan: unknown module '$'\\033''[31mred'' (see 'quillo modules')\n"},
        {{"scan"}, "quillo scan: missing MODULE (see 'quillo modules')\n"},
        {{"scan", "trash", "extra"}, "quillo scan: unexpected argument 'extra'\n"},
        {{"modules", "extra"}, "quillo modules: unexpected argument 'extra'\n"},
        {{"size"}, "quillo size: missing PATH\n"},
        {{"clean", "trash", "--dryrun"}, "quillo clean: unknown option '--dryrun'\nquillo clean: did you mean '--dry-run'?\n"},
        {{"clean", "trash", "-x"}, "quillo clean: unknown option '-x'\n"},
        {{"clean", "trash", "--yes=no"}, "quillo clean: unexpected value after '--yes'\n"},
        {{"clean", "trash", "--item"}, "quillo clean: missing value after '--item'\n"},
        {{"clean", "trash", "--item", ""}, "quillo clean: --item '': No such file or directory\n"},
        {{"clean", "trash", "--item="}, "quillo clean: --item '': No such file or directory\n"},
        {{"clean", "trash", "--trash", "--permanent"}, "quillo clean: --trash and --permanent exclude each other\n"},
        {{"clean", "trash", "--items-from", "/nonexistent/list"},
         "quillo clean: cannot read '/nonexistent/list': No such file or directory\n"},
    };
    for (const auto& [arguments, message] : mistakes) {
        const QuilloRun run = quillo(arguments);
        EXPECT_EQ(run.status, 2) << arguments.join(' ').toStdString();
        EXPECT_EQ(run.err, message) << arguments.join(' ').toStdString();
        EXPECT_EQ(run.out, "") << arguments.join(' ').toStdString();
    }
    // A relative item where the working folder is gone cannot be made absolute.
    const QuilloRun orphaned = runQuillo({"clean", "trash", "--item", "x"}, home(), inRemovedWorkingFolder(tree.folder("removed")));
    EXPECT_EQ(orphaned.status, 2);
    EXPECT_EQ(orphaned.err, "quillo clean: --item 'x': No such file or directory\n");
}

TEST_F(CommandLine, ModulesAreNamedInKebabCaseOrByIdentifierInAnyCaseAndDoubleDashEndsOptions)
{
    const std::string expected = quillo({"scan", "system-junk"}).out;
    ASSERT_THAT(expected, HasSubstr("com.example.editor"));
    for (const QStringList& arguments :
         {QStringList{"scan", "systemJunk"}, QStringList{"scan", "SYSTEMJUNK"}, QStringList{"scan", "System-Junk"},
          QStringList{"scan", "--", "system-junk"}}) {
        const QuilloRun run = quillo(arguments);
        EXPECT_EQ(run.status, 0) << arguments.join(' ').toStdString();
        EXPECT_EQ(run.out, expected) << arguments.join(' ').toStdString();
    }
    // After "--", what looks like an option is an operand.
    const QuilloRun operand = quillo({"size", "--", "--json"});
    EXPECT_EQ(operand.status, 1);
    EXPECT_EQ(operand.err, "quillo size: cannot access '--json': No such file or directory\n");
}
