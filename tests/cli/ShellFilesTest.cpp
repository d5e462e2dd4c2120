#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cli/QuilloProcess.h"
#include "support/TempTree.h"

namespace {

const QString shellFiles = QStringLiteral(QUILLO_BINARY_DIR "/Quillo/cli");

// What bash offers after the words typed so far (the last one being completed), sorted.
std::string bashCompletes(const QString& words, const std::filesystem::path& folder)
{
    const QuilloRun run = runShell("source " + shellQuoted(shellFiles + "/quillo.bash") +
                                       "\ncd " + shellQuoted(QString::fromStdString(folder.string())) +
                                       "\nCOMP_WORDS=(" + words + ")\nCOMP_CWORD=$((${#COMP_WORDS[@]} - 1))\n"
                                       "_quillo\nprintf '%s\\n' \"${COMPREPLY[@]}\" | sort | paste -sd ' '",
                                   folder);
    EXPECT_EQ(run.err, "") << words.toStdString();
    return run.out;
}

} // namespace

// The completions come from the parser's definitions: bash offers the commands, options and module
// names quillo takes, and files where a path goes; zsh and fish read theirs without a fault.
TEST(ShellFiles, CompletionsOfferWhatTheParserTakes)
{
    TempTree tree;
    tree.file("list.txt");
    tree.file("lists/a");
    EXPECT_EQ(bashCompletes("quillo ''", tree.root()), "--help --version -h clean help keep modules scan size undo\n");
    EXPECT_EQ(bashCompletes("quillo scan sys", tree.root()), "system-junk\n");
    EXPECT_EQ(bashCompletes("quillo clean -n --it", tree.root()), "--item --items-from\n");
    EXPECT_EQ(bashCompletes("quillo clean --items-from lis", tree.root()), "list.txt lists\n");
    EXPECT_EQ(bashCompletes("quillo clean --item = lis", tree.root()), "list.txt lists\n");
    EXPECT_EQ(bashCompletes("quillo size lists/", tree.root()), "lists/a\n");
    EXPECT_EQ(bashCompletes("quillo help cl", tree.root()), "clean\n");
    EXPECT_EQ(bashCompletes("quillo keep r", tree.root()), "remove\n");
    EXPECT_EQ(bashCompletes("quillo keep add lis", tree.root()), "list.txt lists\n");
    EXPECT_EQ(bashCompletes("quillo modules ''", tree.root()), "\n");

    for (const QString& check : {"zsh -n " + shellQuoted(shellFiles + "/_quillo"),
                                 "fish --no-execute " + shellQuoted(shellFiles + "/quillo.fish")}) {
        const QuilloRun run = runShell(check, tree.root());
        EXPECT_EQ(run.status, 0) << check.toStdString() << run.err;
        EXPECT_EQ(run.err, "") << check.toStdString();
    }
}

// The manual page is roff that man reads without a warning.
TEST(ShellFiles, TheManualPageIsWellFormedRoff)
{
    TempTree tree;
    const QuilloRun run = runShell("groff -man -Tutf8 -ww -z " + shellQuoted(shellFiles + "/quillo.1"), tree.root());
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const QuilloRun shown = runShell("MANWIDTH=80 man -l " + shellQuoted(shellFiles + "/quillo.1") + " | col -b", tree.root());
    EXPECT_THAT(shown.out, ::testing::HasSubstr("--items-from=FILE"));
    EXPECT_THAT(shown.out, ::testing::HasSubstr("system-junk"));
}
