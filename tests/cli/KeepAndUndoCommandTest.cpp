#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cli/CommandLineHome.h"

using ::testing::HasSubstr;

namespace {

std::vector<QString> scannedPaths(const QJsonObject& document)
{
    std::vector<QString> paths;
    for (const auto& target : document["targets"].toArray()) {
        for (const auto& item : target.toObject()["items"].toArray())
            paths.push_back(item.toObject()["path"].toString());
    }
    return paths;
}

} // namespace

// What the keep list holds is never listed and never cleaned, not even when named; --exclude does
// the same for one run.
TEST_F(CommandLineHome, KeptPathsAreNeitherListedNorCleaned)
{
    EXPECT_EQ(quillo({"keep", "add", text(caches("com.example.editor")), "~/Library/Logs/*.log"}).status, 0);
    EXPECT_EQ(quillo({"keep", "list"}).out, caches("com.example.editor").string() + "\n~/Library/Logs/*.log\n");
    EXPECT_THAT(scannedPaths(json(quillo({"scan", "system-junk", "--json"}))),
                ::testing::ElementsAre(text(caches("com.apple.Safari"))));
    EXPECT_THAT(scannedPaths(json(quillo({"scan", "system-junk", "--json", "--exclude", "com.apple.*"}))),
                ::testing::IsEmpty());
    const QuilloRun named = quillo({"clean", "system-junk", "--yes", "--item", text(caches("com.example.editor"))});
    EXPECT_EQ(named.status, 2);
    EXPECT_TRUE(std::filesystem::exists(caches("com.example.editor/blob")));

    EXPECT_EQ(quillo({"keep", "remove", text(caches("com.example.editor"))}).status, 0);
    const QuilloRun unknown = quillo({"keep", "remove", "~/nothing-like-it"});
    EXPECT_EQ(unknown.status, 1);
    EXPECT_EQ(unknown.err, "quillo keep: '~/nothing-like-it' is not in the keep list (see 'quillo keep list')\n");
    EXPECT_EQ(quillo({"keep", "list"}).out, "~/Library/Logs/*.log\n");
    for (const QStringList& mistake : {QStringList{"keep"}, {"keep", "ad"}, {"keep", "add"}, {"keep", "list", "x"}})
        EXPECT_EQ(quillo(mistake).status, 2) << mistake.join(' ').toStdString();
}

// `quillo undo` puts back what the last clean moved to the Trash, never over what stands at an
// item's place now; once that place is free, a second undo brings the rest.
TEST_F(CommandLineHome, UndoPutsBackTheLastCleanAndNeverOverwrites)
{
    const auto log = home() / "Library/Logs/tool.log";
    ASSERT_EQ(quillo({"clean", "system-junk", "--yes"}).status, 0);
    ASSERT_FALSE(isPresent(log));
    writeFile(log, "new");

    const QuilloRun first = quillo({"undo"});
    EXPECT_EQ(first.status, 1);
    EXPECT_EQ(first.out, "Put back 1 item where it was.\n"
                         "Not put back: ~/Library/Logs/tool.log: something else is at its place now\n");
    EXPECT_EQ(readFile(caches("com.example.editor/blob")).size(), 40'000u);
    EXPECT_EQ(readFile(log), "new");

    std::filesystem::remove(log);
    const QuilloRun second = quillo({"undo"});
    EXPECT_EQ(second.status, 0) << second.out;
    EXPECT_EQ(readFile(log).size(), 20'000u);
    EXPECT_EQ(quillo({"undo"}).out, "Nothing to undo: no clean left anything in the Trash to put back.\n");

    ASSERT_EQ(quillo({"clean", "system-junk", "--yes", "--permanent"}).status, 0);
    const QuilloRun permanent = quillo({"undo"});
    EXPECT_EQ(permanent.status, 1);
    EXPECT_EQ(permanent.out, "Nothing to undo: the last clean deleted its items for good.\n");
}
