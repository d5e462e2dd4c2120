#include "app/QuilloApp.h"

#include <QApplication>
#include <QWindow>

#include "app/MainWindow.h"
#include "foundation/Preferences.h"
#include "platform/desktop/WindowActivation.h"
#include "records/PreferenceKeys.h"
#include "ui/design/AppearanceFollower.h"
#include "ui/design/Translations.h"
#include "ui/tray/TrayItem.h"

namespace {

constexpr int trayPollMs = 1'000;

} // namespace

QuilloApp::QuilloApp(Environment environment, QObject* parent)
    : QObject(parent), environment_(std::move(environment)), store_(environment_.services)
{
    Translations::install();
    environment_.preferences.registerApplicationDefaults();
    appearance_ = std::make_unique<AppearanceFollower>(environment_.preferences);
    connect(&environment_.preferences, &Preferences::changed, this, [this](const QString& key) {
        if (key == QLatin1String(PreferenceKeys::showInMenuBar))
            applyTrayPreference();
        else if (key == QLatin1String(PreferenceKeys::menuBarShowsFreeSpace) && tray_)
            tray_->setShowsFreeSpace(environment_.preferences.boolValue(PreferenceKeys::menuBarShowsFreeSpace).value_or(true));
    });
    trayWait_.setInterval(trayPollMs);
    connect(&trayWait_, &QTimer::timeout, this, &QuilloApp::waitForTray);
    applyTrayPreference();
}

QuilloApp::~QuilloApp()
{
    // Windows first: they read the store to the end.
    settings_.reset();
    mainWindow_.reset();
    tray_.reset();
}

bool QuilloApp::wantsTray() const
{
    return environment_.preferences.boolValue(PreferenceKeys::showInMenuBar).value_or(true);
}

void QuilloApp::applyTrayPreference()
{
    const bool shown = wantsTray() && environment_.trayAvailable();
    if (shown && !tray_) {
        tray_ = std::make_unique<TrayItem>(store_, &appearance_->desktop());
        tray_->setShowsFreeSpace(environment_.preferences.boolValue(PreferenceKeys::menuBarShowsFreeSpace).value_or(true));
        connect(tray_.get(), &TrayItem::openRequested, this,
                [this](Module module, bool scan) { openMainWindow(module, scan); });
        connect(tray_.get(), &TrayItem::settingsRequested, this, &QuilloApp::openSettings);
        connect(tray_.get(), &TrayItem::quitRequested, this, &QuilloApp::quit);
        tray_->setVisible(true);
    } else if (!shown && tray_) {
        tray_.reset();
    }
    // With the item in the tray, closing the windows leaves Quillo there; without, it ends.
    QApplication::setQuitOnLastWindowClosed(!shown);
}

void QuilloApp::start(const LaunchOptions& options)
{
    if (!options.background) {
        openMainWindow(options.module, options.scan);
        return;
    }
    if (tray_)
        return;
    // A start in the tray with no tray to show would run unseen: wait a while for the desktop's
    // tray, which may come up after Quillo at login, then end.
    if (!wantsTray()) {
        QMetaObject::invokeMethod(this, &QuilloApp::quit, Qt::QueuedConnection);
        return;
    }
    trayWaited_ = 0;
    trayWait_.start();
}

void QuilloApp::waitForTray()
{
    trayWaited_ += trayPollMs;
    applyTrayPreference();
    if (tray_) {
        trayWait_.stop();
        return;
    }
    const bool anyWindowShown = (mainWindow_ && mainWindow_->isVisible()) || (settings_ && settings_->isVisible());
    if (anyWindowShown || trayWaited_ >= trayWaitMs) {
        trayWait_.stop();
        if (!anyWindowShown)
            quit();
    }
}

void QuilloApp::handle(const LaunchOptions& options, const QString& activationToken)
{
    if (!options.background)
        openMainWindow(options.module, options.scan, activationToken);
}

void QuilloApp::openMainWindow(std::optional<Module> module, bool scan, const QString& activationToken)
{
    if (!mainWindow_) {
        mainWindow_ = std::make_unique<MainWindow>(store_);
        connect(mainWindow_.get(), &MainWindow::settingsRequested, this, &QuilloApp::openSettings);
        connect(mainWindow_.get(), &MainWindow::quitRequested, this, &QuilloApp::quit);
        connect(mainWindow_.get(), &MainWindow::firstPainted, this, &QuilloApp::mainWindowPainted);
    }
    if (module)
        store_.open(*module, scan);
    if (mainWindow_->isMinimized())
        mainWindow_->showNormal();
    else
        mainWindow_->show();
    platform::bringToFront(*mainWindow_->windowHandle(), activationToken);
}

void QuilloApp::openSettings()
{
    if (!settings_)
        settings_ = std::make_unique<SettingsWindow>(environment_.preferences, environment_.settings);
    settings_->show();
    platform::bringToFront(*settings_->windowHandle(), {});
}

void QuilloApp::quit()
{
    Q_EMIT quitting();
    QCoreApplication::quit();
}
