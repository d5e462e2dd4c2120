#include <sys/stat.h>

#include <filesystem>

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "foundation/Preferences.h"
#include "records/PreferenceKeys.h"
#include "records/ScanOptions.h"
#include "support/TempTree.h"

namespace {

class PreferencesTest : public ::testing::Test {
protected:
    QString path() const { return dir.filePath("Quillo/preferences.json"); }

    void writeFile(const QByteArray& contents) const
    {
        QDir().mkpath(dir.filePath("Quillo"));
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(contents);
    }

    QByteArray readFile() const
    {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(PreferencesTest, MissingEmptyAndCorruptFilesReadAsNothingStored)
{
    for (const QByteArray& contents : {QByteArray(), QByteArray("{\"oldDownloadDays\": 4"), QByteArray("[1, 2]"),
                                       QByteArray("\xff\xfe garbage")}) {
        writeFile(contents);
        Preferences preferences(path());
        EXPECT_FALSE(preferences.integerValue(PreferenceKeys::oldDownloadDays));
        EXPECT_FALSE(preferences.boolValue(PreferenceKeys::deleteImmediately));
    }
    QFile::remove(path());
    Preferences missing(path());
    EXPECT_FALSE(missing.stringValue(PreferenceKeys::appearance));
}

TEST_F(PreferencesTest, AValueOfAnotherTypeReadsAsAbsent)
{
    writeFile(R"({"oldDownloadDays": "30", "deleteImmediately": 1, "largeFileThresholdMB": 2.5,
                  "appearance": false, "lastLowSpaceAlert": "yesterday", "showInMenuBar": 250.0,
                  "keepPaths": ["~/a", 3]})");
    Preferences preferences(path());
    EXPECT_FALSE(preferences.integerValue(PreferenceKeys::oldDownloadDays));
    EXPECT_FALSE(preferences.boolValue(PreferenceKeys::deleteImmediately));
    EXPECT_FALSE(preferences.integerValue(PreferenceKeys::largeFileThresholdMB));
    EXPECT_FALSE(preferences.stringValue(PreferenceKeys::appearance));
    EXPECT_FALSE(preferences.doubleValue(PreferenceKeys::lastLowSpaceAlert));
    // A list with anything but texts in it is no list of texts.
    EXPECT_FALSE(preferences.stringListValue(PreferenceKeys::keepPaths));
    // A whole number stored as a real is still a whole number.
    EXPECT_EQ(preferences.integerValue(PreferenceKeys::showInMenuBar), 250);

    // Large integers keep every digit, also beyond a double's precision.
    writeFile(R"({"largeFileThresholdMB": 9223372036854775807, "oldDownloadDays": 9007199254740993})");
    Preferences large(path());
    EXPECT_EQ(large.integerValue(PreferenceKeys::largeFileThresholdMB), INT64_MAX);
    EXPECT_EQ(large.integerValue(PreferenceKeys::oldDownloadDays), 9007199254740993);
}

TEST_F(PreferencesTest, RegisteredDefaultsAnswerOnlyForKeysNeverWritten)
{
    Preferences preferences(path());
    EXPECT_FALSE(preferences.boolValue(PreferenceKeys::showInMenuBar));
    preferences.registerApplicationDefaults();
    EXPECT_EQ(preferences.boolValue(PreferenceKeys::lowSpaceAlerts), true);
    EXPECT_FALSE(preferences.boolValue(PreferenceKeys::deleteImmediately));

    preferences.setBool(PreferenceKeys::showInMenuBar, false);
    EXPECT_EQ(preferences.boolValue(PreferenceKeys::showInMenuBar), false);
    // Defaults are not stored: a fresh store without them sees only what was written.
    Preferences other(path());
    EXPECT_FALSE(other.boolValue(PreferenceKeys::lowSpaceAlerts));
    preferences.removeValue(PreferenceKeys::showInMenuBar);
    EXPECT_EQ(preferences.boolValue(PreferenceKeys::showInMenuBar), true);
}

TEST_F(PreferencesTest, OneSignalPerRealChange)
{
    Preferences preferences(path());
    QSignalSpy spy(&preferences, &Preferences::changed);
    preferences.setBool(PreferenceKeys::deleteImmediately, true);
    preferences.setBool(PreferenceKeys::deleteImmediately, true);
    preferences.setInteger(PreferenceKeys::oldDownloadDays, 60);
    preferences.removeValue(PreferenceKeys::appearance);
    preferences.removeValue(PreferenceKeys::oldDownloadDays);
    ASSERT_EQ(spy.count(), 3);
    EXPECT_EQ(spy.at(2).at(0).toString(), PreferenceKeys::oldDownloadDays);
}

TEST_F(PreferencesTest, ACorruptOrOversizedFileIsKeptAsideNotLost)
{
    // Past the size cap, even well-formed content is not read.
    const QByteArray oversized = "{\"oldDownloadDays\": 4, \"padding\": \"" + QByteArray(1'000'000, 'x') + "\"}";
    for (const QByteArray& corrupt : {QByteArray("{\"oldDownloadDays\": 4,,,"), oversized}) {
        writeFile(corrupt);
        Preferences preferences(path());
        EXPECT_FALSE(preferences.integerValue(PreferenceKeys::oldDownloadDays));
        preferences.setInteger(PreferenceKeys::oldDownloadDays, 9);
        QFile aside(path() + ".corrupt");
        ASSERT_TRUE(aside.open(QIODevice::ReadOnly));
        EXPECT_EQ(aside.readAll(), corrupt);
        EXPECT_EQ(Preferences(path()).integerValue(PreferenceKeys::oldDownloadDays), 9);
    }
}

TEST_F(PreferencesTest, ALinkOrFifoIsNeitherReadNorOverwritten)
{
    // A FIFO would block every run, a link to /dev/zero feed it without end; a link to a real
    // file leads out of our folder.
    const std::filesystem::path file = QFile::encodeName(path()).toStdString();
    const auto elsewhere = ::writeFile(file.parent_path() / "elsewhere.json", R"({"oldDownloadDays": 4})");
    auto expectUnreadAndKept = [&] {
        Preferences preferences(path());
        EXPECT_FALSE(preferences.integerValue(PreferenceKeys::oldDownloadDays));
        preferences.setInteger(PreferenceKeys::largeFileThresholdMB, 500);
        EXPECT_EQ(preferences.integerValue(PreferenceKeys::largeFileThresholdMB), 500);
    };
    for (const std::filesystem::path& linked : {std::filesystem::path("/dev/zero"), elsewhere}) {
        std::filesystem::remove(file);
        std::filesystem::create_symlink(linked, file);
        expectUnreadAndKept();
        EXPECT_EQ(std::filesystem::read_symlink(file), linked);
    }
    EXPECT_EQ(::readFile(elsewhere), R"({"oldDownloadDays": 4})");

    std::filesystem::remove(file);
    ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
    expectUnreadAndKept();
    EXPECT_TRUE(std::filesystem::is_fifo(std::filesystem::symlink_status(file)));
}

TEST_F(PreferencesTest, AnUnreadableFileIsNeverOverwritten)
{
    writeFile(R"({"oldDownloadDays": 4})");
    QFile::setPermissions(path(), QFileDevice::WriteOwner);
    Preferences preferences(path());
    EXPECT_FALSE(preferences.integerValue(PreferenceKeys::oldDownloadDays));
    preferences.setInteger(PreferenceKeys::largeFileThresholdMB, 500);
    // The change holds for this run, and the file still holds what it held.
    EXPECT_EQ(preferences.integerValue(PreferenceKeys::largeFileThresholdMB), 500);
    QFile::setPermissions(path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(readFile(), QByteArray(R"({"oldDownloadDays": 4})"));
}

TEST_F(PreferencesTest, AFailedWriteLeavesTheOldFileWhole)
{
    Preferences preferences(path());
    preferences.setInteger(PreferenceKeys::oldDownloadDays, 4);
    const QByteArray before = readFile();
    QFile::setPermissions(dir.filePath("Quillo"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    preferences.setInteger(PreferenceKeys::oldDownloadDays, 5);
    QFile::setPermissions(dir.filePath("Quillo"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(readFile(), before);
    EXPECT_EQ(preferences.integerValue(PreferenceKeys::oldDownloadDays), 5);
}

// What one store writes, with its type, another (a restart, the command line) reads, and writing
// one key keeps the value of another that the other writer stored.
TEST_F(PreferencesTest, WhatAnotherStoreWroteIsSeenWithItsType)
{
    Preferences app(path());
    Preferences commandLine(path());
    EXPECT_FALSE(app.integerValue(PreferenceKeys::oldDownloadDays));
    commandLine.setInteger(PreferenceKeys::oldDownloadDays, 12);
    commandLine.setDouble(PreferenceKeys::lastLowSpaceAlert, 1'700'000'000.25);
    commandLine.setString(PreferenceKeys::appearance, "dark");
    commandLine.setStringList(PreferenceKeys::keepPaths, {"~/Projects/*/build", "/data/caf\xc3\xa9"});
    EXPECT_EQ(app.integerValue(PreferenceKeys::oldDownloadDays), 12);
    app.setBool(PreferenceKeys::deleteImmediately, true);
    Preferences reopened(path());
    EXPECT_EQ(reopened.integerValue(PreferenceKeys::oldDownloadDays), 12);
    EXPECT_EQ(reopened.boolValue(PreferenceKeys::deleteImmediately), true);
    EXPECT_EQ(reopened.doubleValue(PreferenceKeys::lastLowSpaceAlert), 1'700'000'000.25);
    EXPECT_EQ(reopened.stringValue(PreferenceKeys::appearance), QString("dark"));
    EXPECT_EQ(reopened.stringListValue(PreferenceKeys::keepPaths),
              (std::vector<std::string>{"~/Projects/*/build", "/data/caf\xc3\xa9"}));
}

TEST_F(PreferencesTest, ScanOptionsReadTheStandardStore)
{
    qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
    EXPECT_EQ(ScanOptions::current(), (ScanOptions{250'000'000, 30}));
    Preferences::standard().setInteger(PreferenceKeys::largeFileThresholdMB, 1024);
    Preferences::standard().setString(PreferenceKeys::oldDownloadDays, "soon");
    Preferences::standard().setStringList(PreferenceKeys::keepPaths, {"~/keep"});
    EXPECT_EQ(ScanOptions::current(), (ScanOptions{1'024'000'000, 30, {"~/keep"}}));
    EXPECT_EQ(Preferences::standard().filePath(), path());
}
