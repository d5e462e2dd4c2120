#include <map>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QProcess>

#include "cli/CommandLineHome.h"

using ::testing::HasSubstr;

namespace {

// Validates each document against the schema beside docs/json.md with Debian's python3-jsonschema,
// naming every place a document departs from it.
constexpr const char* validator = R"(
import json, sys, jsonschema
schema = json.load(open(sys.argv[1]))
jsonschema.Draft202012Validator.check_schema(schema)
kinds = {"quillo-scan": "scanDocument", "quillo-clean": "cleanDocument", "quillo-size": "sizeDocument",
         "quillo-undo": "undoDocument"}
failed = False
for path in sys.argv[2:]:
    document = json.load(open(path))
    # Against the one definition its format names, so that a fault is told precisely.
    kind = kinds.get(document.get("format"), "noSuchFormat")
    for error in jsonschema.Draft202012Validator({"$ref": "#/$defs/" + kind, "$defs": schema["$defs"]}).iter_errors(document):
        print(path, error.json_path, error.message)
        failed = True
    for error in jsonschema.Draft202012Validator(schema).iter_errors(document):
        print(path, error.json_path, error.message[:200])
        failed = True
sys.exit(1 if failed else 0)
)";

class JsonDocuments : public CommandLineHome {
protected:
    void SetUp() override
    {
        CommandLineHome::SetUp();
        writeFile(home() / ".config/Quillo/preferences.json", R"({"largeFileThresholdMB": 1})");
        tree.file("home/Library/Caches/bad-\xff-name/data", 10'000);
        // Two files with two copies each; the duplicate finder looks from 1 MB up.
        tree.file("home/Documents/report.pdf", 1'200'000, 'a');
        tree.file("home/Documents/old/report copy.pdf", 1'200'000, 'a');
        tree.file("home/Music/song.flac", 1'100'000, 'b');
        tree.file("home/Desktop/song.flac", 1'100'000, 'b');
        tree.file("home/Downloads/Setup.dmg", 3'000);
        tree.file("home/Downloads/photos.zip", 2'000);
        tree.file("home/.local/share/Trash/files/thrown", 1'000);
        writeFile(home() / ".local/share/Trash/info/thrown.trashinfo",
                  "[Trash Info]\nPath=/thrown\nDeletionDate=2024-01-01T00:00:00\n");
    }

    // Runs quillo and keeps its document for validation.
    QJsonObject document(const QStringList& arguments, int expectedStatus = 0)
    {
        const QuilloRun run = quillo(arguments);
        EXPECT_EQ(run.status, expectedStatus) << arguments.join(' ').toStdString() << run.err;
        const auto file = writeFile(tree.path("documents/" + std::to_string(written.size()) + ".json"), run.out);
        written.push_back(QString::fromStdString(file.string()));
        return json(run);
    }

    QuilloRun validate() const
    {
        QProcess python;
        python.start("/usr/bin/python3", QStringList{"-c", validator, QUILLO_SOURCE_DIR "/docs/json.schema.json"} + written);
        python.waitForFinished(60'000);
        return {python.exitStatus() == QProcess::NormalExit ? python.exitCode() : -1,
                python.readAllStandardOutput().toStdString(), python.readAllStandardError().toStdString()};
    }

    QStringList written;
};

} // namespace

// Whatever a module finds, its document has the documented shape: every module's scan, a clean
// (planned, done with a failure, with nothing ticked), its undo and then one with nothing to undo,
// and a measurement (of a path present, a
// path missing, a folder partly unreadable, a path that is not UTF-8) are validated against the
// schema, which admits no undocumented field.
TEST_F(JsonDocuments, EveryDocumentMatchesTheSchema)
{
    std::map<QString, QJsonObject> scans;
    for (const char* module : {"smart-scan", "system-junk", "developer-junk", "trash", "uninstaller", "leftovers",
                                  "large-files", "duplicates", "downloads", "ios-backups"})
        scans[module] = document({"scan", module, "--json"});
    EXPECT_EQ(items(scans["large-files"]).size(), 4u);
    EXPECT_EQ(items(scans["trash"]).size(), 1u);

    document({"clean", "smart-scan", "--json", "-n"});
    document({"clean", "downloads", "--json", "-n"});
    tree.setMode("home/Library/Logs", 0555);
    const QJsonObject cleaned = document({"clean", "system-junk", "--json", "-y", "--items-from",
                                          text(writeFile(tree.path("list"), home().string() + "/Library/Logs/tool.log\n" +
                                                                                 caches("com.example.editor").string()))},
                                         1);
    EXPECT_EQ(cleaned["items"].toArray().size(), 2);
    const QJsonObject undone = document({"undo", "--json"});
    EXPECT_EQ(undone["entries"].toArray().size(), 1);
    document({"undo", "--json"}, 1);
    tree.folder("home/locked/inside");
    tree.setMode("home/locked", 0);
    document({"size", "--json", text(home() / "Documents"), text(home() / "gone"), text(home() / "locked"),
              text(caches("bad-\xff-name"))},
             1);

    const QuilloRun validated = validate();
    EXPECT_EQ(validated.status, 0) << validated.out << validated.err;
}

// Copies of one file share a group and name the copy that stays.
TEST_F(JsonDocuments, DuplicatesNameTheirGroupAndTheCopyThatStays)
{
    std::map<int, std::set<QString>> groups;
    std::map<int, QString> originals;
    for (const QJsonObject& item : items(document({"scan", "duplicates", "--json"}))) {
        groups[item["group"].toInt()].insert(item["path"].toString());
        originals[item["group"].toInt()] = item["original"].toString();
    }
    ASSERT_EQ(groups.size(), 2u);
    const QString report = text(home() / "Documents/report.pdf");
    const QString copy = text(home() / "Documents/old/report copy.pdf");
    // The copy that stays is the older one; both were made just now, so either may be.
    for (const auto& [group, paths] : groups) {
        ASSERT_EQ(paths.size(), 1u);
        const QString path = *paths.begin();
        if (path == report || path == copy)
            EXPECT_EQ(originals[group], path == report ? copy : report);
        else
            EXPECT_THAT(originals[group].toStdString(), HasSubstr("song.flac"));
    }
}

// The pipeline a person writes with jq: scan, choose, clean exactly what was chosen.
TEST_F(JsonDocuments, AScanFilteredByJqCleansExactlyWhatWasChosen)
{
    const QuilloRun run = runShell(R"("$QUILLO" scan downloads --json |
        jq -r '.targets[].items[] | select(.tags | index("installer")) | .path' |
        "$QUILLO" clean downloads --items-from - --yes)",
                                   home());
    EXPECT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_THAT(run.out, HasSubstr("Moved 4 KB to the Trash: 1 item cleaned, 0 failed."));
    EXPECT_TRUE(std::filesystem::exists(trashed("Setup.dmg")));
    EXPECT_TRUE(std::filesystem::exists(home() / "Downloads/photos.zip"));
}
