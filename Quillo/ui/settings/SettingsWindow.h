#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QPointer>
#include <QStringList>
#include <QWidget>

#include "ui/design/SoftButton.h"

class FormSection;
class IconButton;
class Preferences;
class QHBoxLayout;
class SegmentedPicker;
class TextLabel;
class ToggleSwitch;

// The settings window: every preference, each control bound to its key so that a change takes
// effect everywhere at once (the keep list among them), and whether Quillo may read everything it
// scans. Controls follow
// changes made elsewhere too; the access row and the login switch are read again whenever the
// window is shown.
class SettingsWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr int formWidth = 500;

    // What the window asks of the system beyond the preferences.
    struct System {
        // Whether the desktop shows tray icons at all; without, the tray switches have no effect
        // and the window says why.
        bool trayAvailable = true;
        std::function<bool()> hasFullDiskAccess;
        std::function<void()> openAccessSettings;
        std::function<bool()> startsAtLogin;
        // Switches starting at login on or off; false when that could not be done.
        std::function<bool(bool)> setStartsAtLogin;
        // Asks the user for a folder (the desktop's own chooser where it has one); none when the
        // user cancels.
        std::function<std::optional<std::filesystem::path>(QWidget* parent)> chooseFolder;

        // The system's own answers; at login the session runs `loginCommand`.
        static System live(bool trayAvailable, const QStringList& loginCommand);
    };

    SettingsWindow(Preferences& preferences, System system, QWidget* parent = nullptr);

    SegmentedPicker* appearancePicker() const { return appearance_; }
    SegmentedPicker* largeFilePicker() const { return largeFiles_; }
    SegmentedPicker* oldDownloadPicker() const { return oldDownloads_; }
    ToggleSwitch* showInMenuBarSwitch() const { return showInMenuBar_; }
    ToggleSwitch* freeSpaceSwitch() const { return freeSpace_; }
    ToggleSwitch* lowSpaceAlertSwitch() const { return lowSpaceAlerts_; }
    ToggleSwitch* openAtLoginSwitch() const { return openAtLogin_; }
    ToggleSwitch* deleteImmediatelySwitch() const { return deleteImmediately_; }
    // The access row's state, and its button while access is not granted.
    const QString& accessState() const;
    SoftButton* accessButton() const { return accessButton_; }
    // The explanation shown when the desktop has no tray, else null.
    TextLabel* noTrayNote() const { return noTrayNote_; }
    // The keep list's rows: one remove button per entry, in the list's order, and the add button.
    const std::vector<IconButton*>& keptRemoveButtons() const { return keptRemoveButtons_; }
    SoftButton* addKeptButton() const { return addKept_; }
    // Asks for a folder and keeps it (the add button does this).
    void addKeptFolder();

    // Reads every preference and the system's answers again.
    void refresh();

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    FormSection* lookSection();
    FormSection* menuBarSection();
    FormSection* cleaningSection();
    FormSection* scanningSection();
    FormSection* permissionsSection();
    FormSection* keptSection();
    void refreshKept();
    void setKept(const std::vector<std::string>& entries);
    ToggleSwitch* boundSwitch(const QString& name, const char* key);
    void refreshAccess();
    void refreshPreference(const QString& key);

    Preferences& preferences_;
    System system_;
    SegmentedPicker* appearance_ = nullptr;
    SegmentedPicker* largeFiles_ = nullptr;
    SegmentedPicker* oldDownloads_ = nullptr;
    ToggleSwitch* showInMenuBar_ = nullptr;
    ToggleSwitch* freeSpace_ = nullptr;
    TextLabel* freeSpaceLabel_ = nullptr;
    ToggleSwitch* lowSpaceAlerts_ = nullptr;
    ToggleSwitch* openAtLogin_ = nullptr;
    TextLabel* openAtLoginLabel_ = nullptr;
    ToggleSwitch* deleteImmediately_ = nullptr;
    TextLabel* noTrayNote_ = nullptr;
    TextLabel* accessState_ = nullptr;
    QHBoxLayout* accessRow_ = nullptr;
    QPointer<SoftButton> accessButton_;
    FormSection* kept_ = nullptr;
    std::vector<IconButton*> keptRemoveButtons_;
    SoftButton* addKept_ = nullptr;
    // Set while the controls are brought in line with the stored values, so that doing so is
    // not taken for the user's change.
    bool syncing_ = false;
};
