// quillo-app: the window, the tray item and the settings, on the one store.
#include <cstdio>

#include <QApplication>
#include <QIcon>
#include <QSystemTrayIcon>

#include "app/LaunchOptions.h"
#include "app/QuilloApp.h"
#include "foundation/Preferences.h"
#include "platform/OwnBundleIdentifier.h"
#include "platform/desktop/DesktopNotifier.h"
#include "platform/desktop/SingleInstance.h"
#include "services/LowSpaceAlert.h"

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const QString id = QString::fromLatin1(platform::ownBundleIdentifier.data(), qsizetype(platform::ownBundleIdentifier.size()));
    QApplication::setApplicationName(QStringLiteral("Quillo"));
    QApplication::setApplicationVersion(QStringLiteral(QUILLO_VERSION));
    // Wayland compositors and docks find the icon and name by the desktop entry's name.
    QGuiApplication::setDesktopFileName(id);
    QApplication::setWindowIcon(QIcon::fromTheme(id, QIcon(QStringLiteral(":/quillo/app/app.quillo.Quillo.svg"))));
    const LaunchOptions options = LaunchOptions::parse(QApplication::arguments());

    // A second launch hands its request to the first and ends.
    platform::SingleInstance instance(id);
    if (instance.claim(options.request(platform::SingleInstance::launchToken())) == platform::SingleInstance::Role::forwarded)
        return 0;

    // A click on the low-space notification opens the Smart Scan; the store may post one as soon
    // as it exists.
    QuilloApp* running = nullptr;
    platform::DesktopNotifier::session().setOpenHandler([&running](const QString& identifier) {
        if (running && identifier == QLatin1String(LowSpaceAlert::notificationIdentifier))
            running->openMainWindow(Module::smartScan, false);
    });
    const QStringList loginCommand{QApplication::applicationFilePath(), QStringLiteral("--background")};
    QuilloApp app({StoreServices::live(), Preferences::standard(), [] { return QSystemTrayIcon::isSystemTrayAvailable(); },
                   SettingsWindow::System::live(QSystemTrayIcon::isSystemTrayAvailable(), loginCommand)});
    running = &app;
    QObject::connect(&instance, &platform::SingleInstance::activated, &app,
                     [&app](const platform::ActivationRequest& request) {
                         app.handle(LaunchOptions::fromRequest(request), request.activationToken);
                     });
    if (options.exitAfterFirstPaint)
        QObject::connect(&app, &QuilloApp::mainWindowPainted, &app, [] {
            std::fputs("painted\n", stdout);
            std::fflush(stdout);
            QCoreApplication::quit();
        });
    app.start(options);
    return QApplication::exec();
}
