#pragma once

#include <functional>
#include <memory>
#include <optional>

#include <QObject>
#include <QPointer>
#include <QTimer>

#include "app/LaunchOptions.h"
#include "store/CleanerStore.h"
#include "ui/settings/SettingsWindow.h"

class AppearanceFollower;
class MainWindow;
class Preferences;
class TrayItem;

// The application: the one store every window shows, the main window, the tray item while the
// user wants it and the desktop has a tray, and the settings window. Closing the last window
// ends the run only when no tray item is shown: with one, Quillo keeps watching the disk from
// the tray; without one it is a normal window application and never runs on unseen.
class QuilloApp : public QObject {
    Q_OBJECT

public:
    struct Environment {
        StoreServices services;
        Preferences& preferences;
        // Whether the desktop shows tray icons now.
        std::function<bool()> trayAvailable;
        SettingsWindow::System settings;
    };

    // How long a start in the tray waits for the desktop's tray to appear (it may come up after
    // the programs started at login) before giving up.
    static constexpr int trayWaitMs = 30'000;

    explicit QuilloApp(Environment environment, QObject* parent = nullptr);
    ~QuilloApp() override;

    // Opens the window as asked, or waits in the tray for a background start.
    void start(const LaunchOptions& options);
    // A later launch's request, handed over by the single-instance service.
    void handle(const LaunchOptions& options, const QString& activationToken);

    CleanerStore& store() { return store_; }
    MainWindow* mainWindow() const { return mainWindow_.get(); }
    SettingsWindow* settingsWindow() const { return settings_.get(); }
    // The tray item while one is shown, else null.
    TrayItem* trayItem() const { return tray_.get(); }

    // Brings the main window to the front, on `module` when given (scanning it if asked), with
    // the activation token a launcher passed on.
    void openMainWindow(std::optional<Module> module, bool scan, const QString& activationToken = {});
    void openSettings();
    void quit();

Q_SIGNALS:
    // The main window was painted for the first time.
    void mainWindowPainted();
    // The run is ending: the user quit, or a start in the tray found no tray to stay in.
    void quitting();

private:
    void applyTrayPreference();
    void waitForTray();
    bool wantsTray() const;

    Environment environment_;
    CleanerStore store_;
    std::unique_ptr<AppearanceFollower> appearance_;
    std::unique_ptr<TrayItem> tray_;
    std::unique_ptr<MainWindow> mainWindow_;
    std::unique_ptr<SettingsWindow> settings_;
    QTimer trayWait_;
    int trayWaited_ = 0;
};
