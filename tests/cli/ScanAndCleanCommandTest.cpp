#include <signal.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cli/CommandLineHome.h"

using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::UnorderedElementsAre;

TEST_F(CommandLineHome, ModulesListsTheTenByTheirCommandLineNames)
{
    const QuilloRun run = quillo({"modules"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 10);
    EXPECT_THAT(run.out, HasSubstr("\nios-backups     iPhone Backups  Old iPhone and iPad backups.\n"));
}

TEST_F(CommandLineHome, ScanWritesOneVersionedDocumentWithEveryItem)
{
    const std::string badName = "bad-\xff-name";
    tree.file("home/Library/Caches/" + badName + "/data", 10'000);
    const QuilloRun run = quillo({"scan", "system-junk", "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    const QJsonObject document = json(run);
    EXPECT_EQ(document["format"].toString(), "quillo-scan");
    EXPECT_EQ(document["version"].toInt(), 1);
    EXPECT_EQ("quillo " + document["quillo"].toString().toStdString() + "\n", quillo({"--version"}).out);
    EXPECT_THAT(document["scannedAt"].toString().toStdString(), ::testing::MatchesRegex("....-..-..T..:..:..Z"));
    EXPECT_EQ(document["module"].toString(), "systemJunk");
    ASSERT_EQ(document["targets"].toArray().size(), 1);
    const QJsonObject leaf = document["targets"][0].toObject();
    EXPECT_EQ(leaf["module"].toString(), "systemJunk");
    EXPECT_FALSE(leaf["accessDenied"].toBool());

    std::vector<QString> names;
    qint64 total = 0;
    for (const QJsonObject& item : items(document)) {
        names.push_back(item["name"].toString());
        total += item["size"].toInteger();
        EXPECT_EQ(item["recommended"].toBool(), item["name"].toString() != "com.apple.Safari");
        // Only a path that is not UTF-8 carries its bytes, and they are exact.
        const bool bad = item["path"].toString().contains(QChar::ReplacementCharacter);
        EXPECT_EQ(item.contains("pathBytes"), bad) << item["path"].toString().toStdString();
        if (bad) {
            EXPECT_EQ(QByteArray::fromBase64(item["pathBytes"].toString().toLatin1()).toStdString(),
                      caches(badName).native());
        }
    }
    EXPECT_THAT(names, UnorderedElementsAre("com.example.editor", "com.apple.Safari", "tool.log",
                                            QString::fromUtf8("bad-\xef\xbf\xbd-name")));
    EXPECT_EQ(leaf["foundBytes"].toInteger(), total);
    EXPECT_EQ(document["foundBytes"].toInteger(), total);

    // The Smart Scan has the same shape, with its three targets.
    const QJsonObject smart = json(quillo({"scan", "smartScan", "--json"}));
    EXPECT_EQ(smart["module"].toString(), "smartScan");
    QStringList targets;
    for (const auto& target : smart["targets"].toArray())
        targets.append(target.toObject()["module"].toString());
    EXPECT_EQ(targets, QStringList({"systemJunk", "developerJunk", "trash"}));
    EXPECT_EQ(smart["foundBytes"].toInteger(), total);
}

TEST_F(CommandLineHome, TheListingShowsEachItemsPathAndTick)
{
    const QuilloRun run = quillo({"scan", "system-junk"});
    EXPECT_EQ(run.status, 0);
    EXPECT_THAT(run.out, HasSubstr("[x] "));
    EXPECT_THAT(run.out, HasSubstr("com.apple.Safari  (system)  App cache\n                ~/Library/Caches/com.apple.Safari\n"));
    EXPECT_THAT(run.out, HasSubstr("\n                ~/Library/Logs/tool.log\n"));
    EXPECT_THAT(run.out, HasSubstr("Found 94 KB in 3 items.\n"));
}

TEST_F(CommandLineHome, CleaningRefusesWhatItCannotConfirm)
{
    const QuilloRun notAnItem = quillo({"clean", "system-junk", "--yes", "--item", text(caches("com.example.editor")),
                                        "--item", text(home() / "Documents")});
    EXPECT_EQ(notAnItem.status, 2);
    EXPECT_EQ(notAnItem.err, "quillo clean: ~/Documents is not an item of system-junk; nothing was removed\n");
    const QuilloRun noTerminal = quillo({"clean", "system-junk"});
    EXPECT_EQ(noTerminal.status, 2);
    EXPECT_THAT(noTerminal.err, HasSubstr("--yes"));
    // A list on standard input leaves nothing to confirm with.
    const QuilloRun listOnInput = runQuilloWithInput({"clean", "system-junk", "--items-from", "-"}, home(), "");
    EXPECT_EQ(listOnInput.status, 2);
    EXPECT_THAT(listOnInput.err, HasSubstr("--yes"));
    // A list that names nothing cleans nothing, not the recommended items.
    const QuilloRun emptyList = runQuilloWithInput({"clean", "system-junk", "--items-from=-", "-y"}, home(), "\n");
    EXPECT_EQ(emptyList.status, 0) << emptyList.err;
    EXPECT_EQ(emptyList.out, "Nothing is ticked: nothing to clean.\n");

    const QuilloRun dryRun = quillo({"clean", "system-junk", "-n"});
    EXPECT_EQ(dryRun.status, 0);
    EXPECT_THAT(dryRun.out, HasSubstr("~/Library/Caches/com.example.editor\n"));
    EXPECT_THAT(dryRun.out, ::testing::EndsWith("\nWould move 61 KB to the Trash: 2 items.\n"));
    EXPECT_TRUE(std::filesystem::exists(caches("com.example.editor")));
    EXPECT_TRUE(std::filesystem::exists(home() / "Library/Logs/tool.log"));
    EXPECT_FALSE(std::filesystem::exists(home() / ".local/share/Trash"));
}

TEST_F(CommandLineHome, TheSummarySaysWhatWentToTheTrashApartFromWhatWasDeleted)
{
    const QuilloRun run = quillo({"clean", "systemJunk", "-y", "--item=" + text(caches("com.apple.Safari"))});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(run.out, HasSubstr("\nMoved 33 KB to the Trash: 1 item cleaned, 0 failed.\n"));
    EXPECT_TRUE(std::filesystem::exists(trashed("com.apple.Safari/db")));
    EXPECT_TRUE(std::filesystem::exists(caches("com.example.editor")));
    EXPECT_TRUE(std::filesystem::exists(home() / "Library/Logs/tool.log"));

    // What is in the Trash can only go for good, and the summary says so beside what was moved.
    // The items come NUL-separated, as a path may hold a newline.
    tree.file("home/Library/Caches/two\nlines/data", 4'000);
    const std::string list = trashed("com.apple.Safari").string() + '\0' + caches("com.example.editor").string() + '\0' +
                             caches("two\nlines").string() + '\0';
    const QuilloRun smart = runQuilloWithInput({"clean", "SMART-SCAN", "--yes", "-0", "--items-from", "-"}, home(), list);
    EXPECT_EQ(smart.status, 0) << smart.err;
    EXPECT_THAT(smart.out, HasSubstr("\nMoved 45 KB to the Trash and freed 33 KB: 3 items cleaned, 0 failed.\n"));
    EXPECT_FALSE(std::filesystem::exists(trashed("com.apple.Safari")));
    EXPECT_TRUE(std::filesystem::exists(trashed("com.example.editor/blob")));
    EXPECT_TRUE(std::filesystem::exists(trashed("two\nlines/data")));
}

TEST_F(CommandLineHome, TheDeletionModeIsTheSettingsUnlessTheRunChoosesOne)
{
    const auto log = home() / "Library/Logs/tool.log";
    const QuilloRun permanent = quillo({"clean", "system-junk", "-y", "--permanent", "--item", text(log)});
    EXPECT_EQ(permanent.status, 0) << permanent.err;
    EXPECT_THAT(permanent.out, HasSubstr("\nFreed 20 KB: 1 item cleaned, 0 failed.\n"));
    EXPECT_FALSE(isPresent(log));
    EXPECT_FALSE(isPresent(trashed("tool.log")));

    writeFile(home() / ".config/Quillo/preferences.json", R"({"deleteImmediately": true})");
    const QuilloRun trash = quillo({"clean", "system-junk", "-y", "--trash", "--item", text(caches("com.apple.Safari"))});
    EXPECT_EQ(trash.status, 0) << trash.err;
    EXPECT_THAT(trash.out, HasSubstr("\nMoved 33 KB to the Trash: 1 item cleaned, 0 failed.\n"));
    EXPECT_TRUE(std::filesystem::exists(trashed("com.apple.Safari/db")));

    const QuilloRun setting = quillo({"clean", "system-junk", "-y", "--item", text(caches("com.example.editor"))});
    EXPECT_EQ(setting.status, 0) << setting.err;
    EXPECT_THAT(setting.out, HasSubstr("\nFreed 41 KB: 1 item cleaned, 0 failed.\n"));
    EXPECT_FALSE(isPresent(caches("com.example.editor")));
    EXPECT_FALSE(isPresent(trashed("com.example.editor")));
}

TEST_F(CommandLineHome, FailedItemsAreNamedWithTheirReasonAndMakeTheExitStatusOne)
{
    tree.setMode("home/Library/Logs", 0555);
    const QStringList both{"--item", text(home() / "Library/Logs/tool.log"), "--item", text(caches("com.example.editor"))};
    const QuilloRun run = quillo(QStringList{"clean", "system-junk", "--yes"} + both);
    EXPECT_EQ(run.status, 1) << run.out << run.err;
    EXPECT_THAT(run.out, HasSubstr("\nMoved 41 KB to the Trash: 1 item cleaned, 1 failed.\n"
                                   "Not cleaned: ~/Library/Logs/tool.log: Permission denied\n"));
    EXPECT_TRUE(std::filesystem::exists(home() / "Library/Logs/tool.log"));

    // Nothing went, so nothing is said to have gone anywhere; the document says why.
    const QuilloRun again = quillo({"clean", "system-junk", "--yes", "--json", "--item", text(home() / "Library/Logs/tool.log")});
    EXPECT_EQ(again.status, 1);
    const QJsonObject document = json(again);
    EXPECT_EQ(document["trashedBytes"].toInteger() + document["deletedBytes"].toInteger(), 0);
    ASSERT_EQ(document["items"].toArray().size(), 1);
    const QJsonObject failed = document["items"][0].toObject();
    EXPECT_EQ(failed["result"].toString(), "failed");
    EXPECT_EQ(failed["reason"].toString(), "Permission denied");
    EXPECT_EQ(failed["deletedForGood"].toBool(), false);
}

// Killed between writing an item's Trash record and moving the item, a clean would leave a record
// that the desktop's Trash tools cannot read: a SIGTERM stops it between items instead.
TEST_F(CommandLineHome, ATermSignalStopsTheCleanBetweenItemsAndLeavesEveryTrashRecordWhole)
{
    constexpr int count = 2000;
    std::string list = caches("com.example.editor").string() + "\n" + (home() / "Library/Logs/tool.log").string() + "\n";
    for (int i = 0; i < count; ++i)
        list += tree.file("home/Library/Caches/cache-" + std::to_string(i) + "/data", 1).parent_path().string() + "\n";
    const auto listFile = writeFile(tree.path("items.txt"), list);
    const auto info = home() / ".local/share/Trash/info";
    const QuilloRun run = quillo({"clean", "system-junk", "--yes", "--items-from", text(listFile)}, [&](qint64 pid) {
        std::error_code ignored;
        if (std::filesystem::directory_iterator(info, ignored) == std::filesystem::directory_iterator())
            return false;
        ::kill(static_cast<pid_t>(pid), SIGTERM);
        return true;
    });
    EXPECT_EQ(run.status, 1) << run.out << run.err;
    EXPECT_THAT(run.out, HasSubstr("left untouched"));

    const auto entriesIn = [](const std::filesystem::path& folder) {
        return std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator());
    };
    for (const auto& entry : std::filesystem::directory_iterator(trashed(""))) {
        const std::string record = readFile(info / (entry.path().filename().string() + ".trashinfo"));
        EXPECT_THAT(record, ::testing::StartsWith("[Trash Info]\n")) << entry.path();
        EXPECT_THAT(record, HasSubstr("\nPath=")) << entry.path();
        EXPECT_THAT(record, HasSubstr("\nDeletionDate=")) << entry.path();
    }
    const auto inTrash = entriesIn(trashed(""));
    EXPECT_EQ(entriesIn(info), inTrash);
    // Stopped midway: some went, the rest (beside the unticked Safari cache) is where it was.
    const auto left = entriesIn(home() / "Library/Caches") + entriesIn(home() / "Library/Logs");
    EXPECT_GT(inTrash, 0);
    EXPECT_GT(left, 1);
    EXPECT_EQ(inTrash + left, count + 3);
}
