#include <signal.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cli/QuilloProcess.h"
#include "cli/ScanJson.h"
#include "support/TempTree.h"

using ::testing::HasSubstr;
using ::testing::UnorderedElementsAre;

namespace {

class CommandLineHome : public ::testing::Test {
protected:
    void SetUp() override
    {
        tree.file("home/Library/Caches/com.example.editor/blob", 40'000);
        tree.file("home/Library/Caches/com.apple.Safari/db", 30'000);
        tree.file("home/Library/Logs/tool.log", 20'000);
    }

    std::filesystem::path home() const { return tree.path("home"); }
    std::filesystem::path caches(const std::string& name) const { return home() / "Library/Caches" / name; }
    std::filesystem::path trashed(const std::string& name) const { return home() / ".local/share/Trash/files" / name; }
    QuilloRun quillo(const QStringList& arguments) const { return runQuillo(arguments, home()); }
    QuilloRun quillo(const QStringList& arguments, const std::function<bool(qint64)>& poll) const
    {
        return runQuillo(arguments, home(), poll);
    }
    static QString text(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

    static QJsonObject json(const QuilloRun& run)
    {
        QJsonParseError error{};
        const auto document = QJsonDocument::fromJson(QByteArray::fromStdString(run.out), &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << run.out;
        return document.object();
    }

    static std::vector<QString> itemNames(const QJsonObject& leaf)
    {
        std::vector<QString> names;
        for (const auto& item : leaf["items"].toArray())
            names.push_back(item.toObject()["name"].toString());
        return names;
    }

    TempTree tree;
};

} // namespace

TEST_F(CommandLineHome, ModulesListsTheTen)
{
    const QuilloRun run = quillo({"modules"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 10);
    EXPECT_THAT(run.out, HasSubstr("iosBackups     iPhone Backups  Old iPhone and iPad backups."));
}

TEST_F(CommandLineHome, UsageErrorsExitTwoAndNameTheValidModules)
{
    const QuilloRun unknown = quillo({"scan", "SystemJunk"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_THAT(unknown.err, HasSubstr("systemJunk"));
    EXPECT_THAT(unknown.err, HasSubstr("iosBackups"));
    for (const QStringList& arguments :
         {QStringList{"scan"}, QStringList{"scan", "trash", "--bogus"}, QStringList{"clean"},
          QStringList{"clean", "trash", "--item"}, QStringList{"clean", "trash", "--item", ""},
          QStringList{"clean", "trash", "--item="}, QStringList{"modules", "extra"}})
        EXPECT_EQ(quillo(arguments).status, 2) << arguments.join(' ').toStdString();
    // A relative item where the working folder is gone cannot be made absolute.
    const QuilloRun orphaned = runQuillo({"clean", "trash", "--item", "x"}, home(), inRemovedWorkingFolder(tree.folder("removed")));
    EXPECT_EQ(orphaned.status, 2);
    EXPECT_THAT(orphaned.err, ::testing::StartsWith("quillo clean: --item 'x': No such file or directory\n"));
}

TEST_F(CommandLineHome, ScanWritesOneJsonDocumentWithEveryItem)
{
    tree.file("home/Library/Caches/bad-\xff-name/data", 10'000);
    const QuilloRun run = quillo({"scan", "systemJunk", "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    const QJsonObject leaf = json(run);
    EXPECT_EQ(leaf["module"].toString(), "systemJunk");
    EXPECT_FALSE(leaf["accessDenied"].toBool());
    EXPECT_THAT(itemNames(leaf), UnorderedElementsAre(QString("com.example.editor"), QString("com.apple.Safari"),
                                                      QString("tool.log"), ScanJson::lossless("bad-\xff-name")));
    qint64 total = 0;
    bool sawLosslessPath = false;
    for (const auto& value : leaf["items"].toArray()) {
        const QJsonObject item = value.toObject();
        total += item["size"].toInteger();
        EXPECT_EQ(item["recommended"].toBool(), item["name"].toString() != "com.apple.Safari");
        sawLosslessPath |= item["path"].toString() == ScanJson::lossless(caches("bad-\xff-name").native());
        EXPECT_THAT(item["date"].toString().toStdString(), ::testing::MatchesRegex("....-..-..T..:..:..Z"));
    }
    EXPECT_TRUE(sawLosslessPath);
    EXPECT_EQ(leaf["foundBytes"].toInteger(), total);

    const QJsonObject smart = json(quillo({"scan", "smartScan", "--json"}));
    EXPECT_EQ(smart["module"].toString(), "smartScan");
    const QJsonArray targets = smart["targets"].toArray();
    ASSERT_EQ(targets.size(), 3);
    EXPECT_EQ(targets[0].toObject()["module"].toString(), "systemJunk");
    EXPECT_EQ(targets[1].toObject()["module"].toString(), "developerJunk");
    EXPECT_EQ(targets[2].toObject()["module"].toString(), "trash");
    EXPECT_EQ(smart["foundBytes"].toInteger(), total);
}

TEST_F(CommandLineHome, HumanOutputMarksTheTickedItems)
{
    const QuilloRun run = quillo({"scan", "systemJunk"});
    EXPECT_EQ(run.status, 0);
    EXPECT_THAT(run.out, HasSubstr("[x] "));
    EXPECT_THAT(run.out, HasSubstr("[ ] "));
    EXPECT_THAT(run.out, HasSubstr("com.apple.Safari  (system)  App cache"));
    EXPECT_THAT(run.out, HasSubstr("Found "));
}

TEST_F(CommandLineHome, CleaningRefusesWhatItCannotConfirm)
{
    const QuilloRun notAnItem = quillo({"clean", "systemJunk", "--yes", "--item", text(caches("com.example.editor")),
                                        "--item", text(home() / "Documents")});
    EXPECT_EQ(notAnItem.status, 2);
    EXPECT_THAT(notAnItem.err, HasSubstr("Documents"));
    const QuilloRun noTerminal = quillo({"clean", "systemJunk"});
    EXPECT_EQ(noTerminal.status, 2);
    EXPECT_THAT(noTerminal.err, HasSubstr("--yes"));
    const QuilloRun dryRun = quillo({"clean", "systemJunk", "--dry-run"});
    EXPECT_EQ(dryRun.status, 0);
    EXPECT_THAT(dryRun.out, HasSubstr("com.example.editor"));
    EXPECT_TRUE(std::filesystem::exists(caches("com.example.editor")));
    EXPECT_TRUE(std::filesystem::exists(home() / "Library/Logs/tool.log"));
    EXPECT_FALSE(std::filesystem::exists(home() / ".local/share/Trash"));
}

TEST_F(CommandLineHome, CleaningTheNamedItemMovesJustThatToTheTrash)
{
    const QuilloRun run = quillo({"clean", "systemJunk", "--yes", "--item", text(caches("com.apple.Safari"))});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(run.out, HasSubstr("1 item cleaned, 0 failed, moved to the Trash"));
    EXPECT_TRUE(std::filesystem::exists(trashed("com.apple.Safari/db")));
    EXPECT_TRUE(std::filesystem::exists(caches("com.example.editor")));
    EXPECT_TRUE(std::filesystem::exists(home() / "Library/Logs/tool.log"));

    // What is in the Trash can only go for good, and the summary says so beside what was moved.
    const QuilloRun smart = quillo({"clean", "smartScan", "--yes"});
    EXPECT_EQ(smart.status, 0) << smart.err;
    EXPECT_THAT(smart.out, HasSubstr("3 items cleaned, 0 failed, 2 moved to the Trash, 1 deleted permanently."));
    EXPECT_FALSE(std::filesystem::exists(trashed("com.apple.Safari")));
    EXPECT_TRUE(std::filesystem::exists(trashed("com.example.editor/blob")));
}

TEST_F(CommandLineHome, TheDeleteImmediatelySettingDeletesForGood)
{
    writeFile(home() / ".config/Quillo/preferences.json", R"({"deleteImmediately": true})");
    const QuilloRun run = quillo({"clean", "systemJunk", "--yes"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(run.out, HasSubstr("2 items cleaned, 0 failed, deleted permanently"));
    EXPECT_FALSE(std::filesystem::exists(caches("com.example.editor")));
    EXPECT_FALSE(std::filesystem::exists(home() / ".local/share/Trash/files/com.example.editor"));
    EXPECT_TRUE(std::filesystem::exists(caches("com.apple.Safari")));
}

TEST_F(CommandLineHome, FailedItemsMakeTheExitStatusOne)
{
    tree.setMode("home/Library/Logs", 0555);
    const QuilloRun run = quillo({"clean", "systemJunk", "--yes"});
    EXPECT_EQ(run.status, 1) << run.out << run.err;
    EXPECT_THAT(run.out, HasSubstr("1 item cleaned, 1 failed"));
    EXPECT_THAT(run.out, HasSubstr("Not cleaned: " + (home() / "Library/Logs/tool.log").string() + ": Permission denied\n"));
    EXPECT_TRUE(std::filesystem::exists(home() / "Library/Logs/tool.log"));
    // Nothing went, so nothing is said to have gone anywhere.
    const QuilloRun again = quillo({"clean", "systemJunk", "--yes"});
    EXPECT_EQ(again.status, 1);
    EXPECT_THAT(again.out, HasSubstr("\nNothing was removed: 1 item failed.\n"));
    EXPECT_THAT(again.out, ::testing::Not(HasSubstr("permanently")));
}

// Killed between writing an item's Trash record and moving the item, a clean would leave a record
// that the desktop's Trash tools cannot read: a SIGTERM stops it between items instead.
TEST_F(CommandLineHome, ATermSignalStopsTheCleanBetweenItemsAndLeavesEveryTrashRecordWhole)
{
    constexpr int count = 2000;
    for (int i = 0; i < count; ++i)
        tree.file("home/Library/Caches/cache-" + std::to_string(i) + "/data", 1);
    const auto info = home() / ".local/share/Trash/info";
    const QuilloRun run = quillo({"clean", "systemJunk", "--yes"}, [&](qint64 pid) {
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
