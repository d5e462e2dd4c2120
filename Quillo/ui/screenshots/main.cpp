// Renders every screen in each of its phases, the whole main window, the tray panel and the
// settings window, light and dark, from a store fed with made-up results, as PNG files into the
// folder named on the command line, for review:
//   QT_QPA_PLATFORM=offscreen quillo-screenshots OUTPUT_FOLDER [NAME_FILTER]
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <thread>

#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QVBoxLayout>

#include "app/MainWindow.h"
#include "foundation/Preferences.h"
#include "records/PreferenceKeys.h"
#include "scan/DiskScanner.h"
#include "ui/settings/SettingsWindow.h"
#include "ui/tray/TrayPanel.h"

#include "store/CleanerStore.h"
#include "ui/design/Appearance.h"
#include "ui/design/CanvasBackground.h"
#include "ui/design/Motion.h"
#include "ui/design/Palette.h"
#include "ui/gallery/GallerySheets.h"
#include "ui/home/HomeScreen.h"
#include "ui/module/ItemListModel.h"
#include "ui/module/ItemListView.h"
#include "ui/module/ModuleResults.h"
#include "ui/module/ModuleScreen.h"
#include "ui/screenshots/ScreenFixtures.h"

namespace {

using Clock = std::chrono::steady_clock;

// The detail column of the window at its default size.
constexpr QSize screenSize{900, 740};

bool waitFor(const std::function<bool()>& done)
{
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    while (!done()) {
        if (Clock::now() > deadline)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 10);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    QApplication::processEvents();
    return true;
}

// Lets the screens' once-a-frame refreshes and layouts catch up.
void settle()
{
    const auto until = Clock::now() + std::chrono::milliseconds(60);
    while (Clock::now() < until) {
        QApplication::processEvents(QEventLoop::AllEvents, 5);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

bool phaseIs(const CleanerStore& store, Module module, ScanPhase::Kind kind)
{
    return store.phase(module).kind() == kind;
}

struct Phase {
    QString name;
    // Prepares the made-up system before the store exists.
    std::function<void(ScreenFixtures::System&, Module)> prepare;
    // Brings the store (and the screen on it) to the phase; false if it never got there.
    std::function<bool(CleanerStore&, ScreenFixtures::System&, Module)> drive;
};

bool scanToReady(CleanerStore& store, Module module)
{
    store.scan(module);
    return waitFor([&] { return phaseIs(store, module, ScanPhase::Kind::ready) && !store.isScanning(module); });
}

std::vector<Phase> phases()
{
    auto none = [](ScreenFixtures::System&, Module) {};
    return {
        {"idle", none, [](CleanerStore&, ScreenFixtures::System&, Module) { return true; }},
        {"scanning", [](ScreenFixtures::System& system, Module module) {
             for (Module target : module.scanTargets())
                 system.held.insert(target);
         },
         [](CleanerStore& store, ScreenFixtures::System&, Module module) {
             store.scan(module);
             return waitFor([&] { return store.progress(module.scanTargets()[0]) > 0; });
         }},
        {"results", none, [](CleanerStore& store, ScreenFixtures::System&, Module module) {
             if (!scanToReady(store, module))
                 return false;
             // One recommended item unticked, one other ticked: a selection of the user's own.
             const auto& items = store.result(module.scanTargets()[0])->items;
             store.toggle(items[std::min<std::size_t>(1, items.size() - 1)]);
             return true;
         }},
        {"cleaning", none, [](CleanerStore& store, ScreenFixtures::System& system, Module module) {
             if (!scanToReady(store, module))
                 return false;
             system.holdCleans(true);
             store.clean(module);
             return waitFor([&] { return phaseIs(store, module, ScanPhase::Kind::cleaning); });
         }},
        {"cleaned-with-failures", [](ScreenFixtures::System& system, Module) { system.failures = 2; },
         [](CleanerStore& store, ScreenFixtures::System&, Module module) {
             if (!scanToReady(store, module))
                 return false;
             store.clean(module);
             return waitFor([&] { return phaseIs(store, module, ScanPhase::Kind::cleaned); });
         }},
        // An item just kept from the list: its row gone, the toast over the clean bar.
        {"kept", none, [](CleanerStore& store, ScreenFixtures::System&, Module module) { return scanToReady(store, module); }},
        {"all-clear", [](ScreenFixtures::System& system, Module module) {
             for (Module target : module.scanTargets())
                 system.results[target] = {};
         },
         [](CleanerStore& store, ScreenFixtures::System&, Module module) { return scanToReady(store, module); }},
        {"access-needed", [](ScreenFixtures::System& system, Module module) {
             const Module refused = module == Module::smartScan ? Module(Module::trash) : module;
             system.results[refused] = {{}, true};
         },
         [](CleanerStore& store, ScreenFixtures::System&, Module module) { return scanToReady(store, module); }},
    };
}

// Points at the second row, as a user reviewing the list would, so its hover look shows.
void hoverSecondRow(QWidget& screen)
{
    auto* list = screen.findChild<ItemListView*>();
    if (!list || list->model()->rowCount() < 2)
        return;
    const QRectF body = list->rowBody(1);
    const QPointF at(list->layoutOf(1).reveal.center().x(), body.center().y());
    QMouseEvent move(QEvent::MouseMove, at, list->viewport()->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &move);
}

// Keeps the second row's item as its context menu would.
void keepSecondRow(QWidget& screen)
{
    auto* list = screen.findChild<ItemListView*>();
    if (list && list->model()->rowCount() >= 2)
        Q_EMIT list->neverCleanRequested(list->items().item(1));
}

QString nameOf(Module module)
{
    return module == Module::smartScan ? QStringLiteral("home")
                                       : QStringLiteral("module-") + QString::fromUtf8(module.rawValue().data(), qsizetype(module.rawValue().size()));
}

bool render(const QDir& folder, Module module, const Phase& phase, bool dark)
{
    ScreenFixtures::System system(true);
    phase.prepare(system, module);
    CleanerStore store(system.services());
    CanvasBackground window(module);
    window.resize(screenSize);
    window.setPalette(Palette::qtPalette());
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    if (module == Module::smartScan)
        layout->addWidget(new HomeScreen(store));
    else
        layout->addWidget(new ModuleScreen(store, module));
    window.setAttribute(Qt::WA_DontShowOnScreen);
    window.show();
    const bool reached = phase.drive(store, system, module);
    settle();
    if (phase.name == "results")
        hoverSecondRow(window);
    if (phase.name == "kept") {
        keepSecondRow(window);
        settle();
    }
    const QImage image = GallerySheets::render(window, 2);
    system.holdCleans(false);
    waitFor([&] { return !phaseIs(store, module, ScanPhase::Kind::cleaning); });
    const QString file = folder.filePath(QStringLiteral("%1-%2-%3.png").arg(nameOf(module), phase.name, dark ? "dark" : "light"));
    if (!reached)
        std::fprintf(stderr, "quillo-screenshots: %s never reached its phase\n", qPrintable(file));
    if (!image.save(file)) {
        std::fprintf(stderr, "quillo-screenshots: cannot write %s\n", qPrintable(file));
        return false;
    }
    std::printf("%s\n", qPrintable(file));
    return reached;
}

bool save(const QImage& image, const QString& file)
{
    if (!image.save(file)) {
        std::fprintf(stderr, "quillo-screenshots: cannot write %s\n", qPrintable(file));
        return false;
    }
    std::printf("%s\n", qPrintable(file));
    return true;
}

// The whole main window (its content; the title bar is the desktop's) on the home screen or a
// module's, before and after a scan.
bool renderWindow(const QDir& folder, const QString& name, Module module, bool scanned, bool dark)
{
    ScreenFixtures::System system(true);
    CleanerStore store(system.services());
    MainWindow window(store);
    window.setAttribute(Qt::WA_DontShowOnScreen);
    window.show();
    bool reached = true;
    if (scanned) {
        reached = scanToReady(store, Module::smartScan) && (module == Module::smartScan || scanToReady(store, module));
    }
    store.setSelectedModule(module);
    settle();
    return save(GallerySheets::render(window, 2), folder.filePath(name + (dark ? "-dark.png" : "-light.png"))) && reached;
}

// Idle, scanned, or after a clean that can be undone.
enum class TrayState { idle, scanned, cleaned };

bool renderTrayPanel(const QDir& folder, const QString& name, TrayState state, bool dark)
{
    ScreenFixtures::System system(true);
    CleanerStore store(system.services());
    TrayPanel panel(store);
    bool reached = true;
    if (state != TrayState::idle)
        reached = scanToReady(store, Module::smartScan) && scanToReady(store, Module::trash);
    if (state == TrayState::cleaned) {
        store.clean(Module::systemJunk);
        reached = reached && waitFor([&] { return store.canUndo(); });
    }
    panel.setAttribute(Qt::WA_DontShowOnScreen);
    panel.show();
    settle();
    panel.adjustSize();
    return save(GallerySheets::render(panel, 2), folder.filePath(name + (dark ? "-dark.png" : "-light.png"))) && reached;
}

// The settings with a keep list; on a desktop without a tray, access not granted, one picker
// without a choice and nothing kept.
bool renderSettings(const QDir& folder, const QString& name, bool withTray, bool dark)
{
    QTemporaryDir home;
    Preferences preferences(home.filePath("preferences.json"));
    preferences.registerApplicationDefaults();
    preferences.setInteger(PreferenceKeys::largeFileThresholdMB, withTray ? 500 : 300);
    if (withTray)
        preferences.setStringList(PreferenceKeys::keepPaths,
                                  {"~/Projects/*/build", (DiskScanner::home() / "Videos/Family").string(),
                                   "/mnt/games/SteamLibrary/steamapps/common/A Game With A Very Long Name/saves"});
    SettingsWindow::System answers;
    answers.trayAvailable = withTray;
    answers.hasFullDiskAccess = [withTray] { return withTray; };
    answers.startsAtLogin = [withTray] { return withTray; };
    answers.setStartsAtLogin = [](bool) { return true; };
    SettingsWindow window(preferences, answers);
    window.adjustSize();
    return save(GallerySheets::render(window, 2), folder.filePath(name + (dark ? "-dark.png" : "-light.png")));
}

// The application's windows as a user sees them: each with its name and how to render it.
bool renderWindows(const QDir& folder, const QString& filter, bool dark)
{
    const std::vector<std::pair<QString, std::function<bool(const QString&)>>> windows{
        {"window-home-idle", [&](const QString& n) { return renderWindow(folder, n, Module::smartScan, false, dark); }},
        {"window-home-results", [&](const QString& n) { return renderWindow(folder, n, Module::smartScan, true, dark); }},
        {"window-module-results", [&](const QString& n) { return renderWindow(folder, n, Module::developerJunk, true, dark); }},
        {"tray-panel-idle", [&](const QString& n) { return renderTrayPanel(folder, n, TrayState::idle, dark); }},
        {"tray-panel-results", [&](const QString& n) { return renderTrayPanel(folder, n, TrayState::scanned, dark); }},
        {"tray-panel-cleaned", [&](const QString& n) { return renderTrayPanel(folder, n, TrayState::cleaned, dark); }},
        {"settings", [&](const QString& n) { return renderSettings(folder, n, true, dark); }},
        {"settings-no-tray", [&](const QString& n) { return renderSettings(folder, n, false, dark); }},
    };
    bool ok = true;
    for (const auto& [name, render] : windows)
        if (filter.isEmpty() || name.contains(filter))
            ok &= render(name);
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() < 2 || arguments.size() > 3) {
        std::fprintf(stderr, "usage: quillo-screenshots OUTPUT_FOLDER [NAME_FILTER]\n");
        return 2;
    }
    const QDir folder(arguments[1]);
    const QString filter = arguments.size() == 3 ? arguments[2] : QString();
    if (!QDir().mkpath(folder.absolutePath())) {
        std::fprintf(stderr, "quillo-screenshots: cannot create %s\n", qPrintable(folder.absolutePath()));
        return 1;
    }
    // Finished states only: a render shows where each animation lands.
    Motion::setAnimationsEnabled(false);
    bool ok = true;
    for (const bool dark : {false, true}) {
        Appearance::instance().apply(dark);
        for (Module module : {Module::smartScan, Module::systemJunk, Module::trash}) {
            for (const Phase& phase : phases()) {
                if (!filter.isEmpty() && !(nameOf(module) + "-" + phase.name).contains(filter))
                    continue;
                ok &= render(folder, module, phase, dark);
            }
        }
        ok &= renderWindows(folder, filter, dark);
    }
    return ok ? 0 : 1;
}
