// The settings window on preferences of the test's own: every control bound both ways, the
// pickers' stored values without a segment, the tray's switches without a tray, the access row
// and the start at login.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QTemporaryDir>
#include <QTest>

#include "foundation/Preferences.h"
#include "records/PreferenceKeys.h"
#include "support/WidgetApplication.h"
#include "ui/design/Motion.h"
#include "ui/design/SegmentedPicker.h"
#include "ui/design/IconButton.h"
#include "ui/design/SoftButton.h"
#include "ui/settings/SettingsWindow.h"
#include "ui/settings/ToggleSwitch.h"

namespace {

// Clicks the segment of `picker` labelled `label`, as the user would.
void choose(SegmentedPicker& picker, const QString& label)
{
    for (QAbstractButton* segment : picker.findChildren<QAbstractButton*>())
        if (segment->text() == label)
            return segment->click();
    ADD_FAILURE() << "no segment " << label.toStdString();
}

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Motion::setAnimationsEnabled(false);
        preferences.registerApplicationDefaults();
        system.hasFullDiskAccess = [this] { return accessGranted; };
        system.openAccessSettings = [this] { ++settingsOpened; };
        system.startsAtLogin = [this] { return atLogin; };
        system.setStartsAtLogin = [this](bool on) {
            if (loginFails)
                return false;
            atLogin = on;
            return true;
        };
        system.chooseFolder = [this](QWidget*) { return chosenFolder; };
    }

    QTemporaryDir folder;
    Preferences preferences{folder.filePath("preferences.json")};
    SettingsWindow::System system;
    bool accessGranted = false;
    int settingsOpened = 0;
    bool atLogin = false;
    bool loginFails = false;
    std::optional<std::filesystem::path> chosenFolder;
};

} // namespace

TEST_F(SettingsTest, EveryControlWritesItsPreferenceAndFollowsChangesMadeElsewhere)
{
    SettingsWindow window(preferences, system);
    window.deleteImmediatelySwitch()->click();
    EXPECT_EQ(preferences.boolValue(PreferenceKeys::deleteImmediately), true);
    window.lowSpaceAlertSwitch()->click();
    EXPECT_EQ(preferences.boolValue(PreferenceKeys::lowSpaceAlerts), false);
    choose(*window.appearancePicker(), "Dark");
    EXPECT_EQ(preferences.stringValue(PreferenceKeys::appearance), "dark");
    choose(*window.largeFilePicker(), "1 GB");
    EXPECT_EQ(preferences.integerValue(PreferenceKeys::largeFileThresholdMB), 1000);
    choose(*window.oldDownloadPicker(), "1 week");
    EXPECT_EQ(preferences.integerValue(PreferenceKeys::oldDownloadDays), 7);

    preferences.setBool(PreferenceKeys::lowSpaceAlerts, true);
    preferences.setString(PreferenceKeys::appearance, "light");
    EXPECT_TRUE(window.lowSpaceAlertSwitch()->isChecked());
    EXPECT_EQ(window.appearancePicker()->current(), 1);

    // A stored figure no segment stands for shows no choice, and is kept until the user picks.
    preferences.setInteger(PreferenceKeys::largeFileThresholdMB, 300);
    EXPECT_EQ(window.largeFilePicker()->current(), -1);
    EXPECT_EQ(preferences.integerValue(PreferenceKeys::largeFileThresholdMB), 300);
}

TEST_F(SettingsTest, TurningTheTrayItemOffGreysTheFreeSpaceSwitchAndKeepsItsValue)
{
    SettingsWindow window(preferences, system);
    EXPECT_TRUE(window.freeSpaceSwitch()->isEnabled());
    window.showInMenuBarSwitch()->click();
    EXPECT_EQ(preferences.boolValue(PreferenceKeys::showInMenuBar), false);
    EXPECT_FALSE(window.freeSpaceSwitch()->isEnabled());
    EXPECT_TRUE(window.freeSpaceSwitch()->isChecked());
    EXPECT_EQ(preferences.boolValue(PreferenceKeys::menuBarShowsFreeSpace), true);
    EXPECT_EQ(window.noTrayNote(), nullptr);

    system.trayAvailable = false;
    SettingsWindow noTray(preferences, system);
    ASSERT_NE(noTray.noTrayNote(), nullptr);
    EXPECT_FALSE(noTray.openAtLoginSwitch()->isEnabled());
}

TEST_F(SettingsTest, TheAccessRowIsReadAgainEachTimeTheWindowIsShown)
{
    SettingsWindow window(preferences, system);
    window.setAttribute(Qt::WA_DontShowOnScreen);
    window.show();
    EXPECT_EQ(window.accessState(), "Not granted");
    ASSERT_NE(window.accessButton(), nullptr);
    EXPECT_EQ(window.accessButton()->text(), "Open Folder");
    window.accessButton()->click();
    EXPECT_EQ(settingsOpened, 1);

    accessGranted = true;
    window.hide();
    window.show();
    EXPECT_EQ(window.accessState(), "Granted");
    EXPECT_EQ(window.accessButton(), nullptr);
}

TEST_F(SettingsTest, StartingAtLoginFollowsTheSwitchAndASwitchThatCouldNotBeWrittenFlipsBack)
{
    SettingsWindow window(preferences, system);
    window.openAtLoginSwitch()->click();
    EXPECT_TRUE(atLogin);
    loginFails = true;
    window.openAtLoginSwitch()->click();
    EXPECT_TRUE(atLogin);
    EXPECT_TRUE(window.openAtLoginSwitch()->isChecked());
}

// The Kept section lists the keep list with a remove button per entry, follows changes made
// elsewhere, and adds a chosen folder as itself (its pattern characters escaped), once.
TEST_F(SettingsTest, TheKeptSectionAddsAndRemovesEntries)
{
    preferences.setStringList(PreferenceKeys::keepPaths, {"~/Projects/*/build", "/data/keep"});
    SettingsWindow window(preferences, system);
    ASSERT_EQ(window.keptRemoveButtons().size(), 2u);
    window.keptRemoveButtons()[0]->click();
    EXPECT_EQ(preferences.stringListValue(PreferenceKeys::keepPaths), std::vector<std::string>{"/data/keep"});
    EXPECT_EQ(window.keptRemoveButtons().size(), 1u);

    window.addKeptFolder();
    chosenFolder = "/data/draft [1]";
    window.addKeptButton()->click();
    window.addKeptFolder();
    EXPECT_EQ(preferences.stringListValue(PreferenceKeys::keepPaths),
              (std::vector<std::string>{"/data/keep", "/data/draft \\[1]"}));
    EXPECT_EQ(window.keptRemoveButtons().size(), 2u);
}
