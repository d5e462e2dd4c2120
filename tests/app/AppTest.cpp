// The application on a store with fake services: the window and its menu and keys, the sidebar,
// the tray item and the quit rule it decides, the appearance of every window, and the requests
// a later launch hands over.
#include <gtest/gtest.h>

#include <QAbstractAnimation>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "app/DetailView.h"
#include "app/LaunchOptions.h"
#include "app/MainWindow.h"
#include "app/QuilloApp.h"
#include "app/Sidebar.h"
#include "app/SidebarBadge.h"
#include "app/SidebarRow.h"
#include "app/StorageWidget.h"
#include "foundation/Preferences.h"
#include "records/PreferenceKeys.h"
#include "store/FakeServices.h"
#include "support/WidgetApplication.h"
#include "ui/design/Appearance.h"
#include "ui/design/FrameClock.h"
#include "ui/design/Motion.h"
#include "ui/design/Palette.h"
#include "ui/design/SizeText.h"
#include "ui/design/UsageBar.h"
#include "ui/home/HomeScreen.h"
#include "ui/module/ModuleScreen.h"
#include "ui/mascot/Mascot.h"
#include "ui/tray/TrayItem.h"

namespace {

LaunchOptions launch(bool background, std::optional<Module> module = std::nullopt, bool scan = false)
{
    LaunchOptions options;
    options.background = background;
    options.module = module;
    options.scan = scan;
    return options;
}

class AppTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Motion::setAnimationsEnabled(false);
        system.scanner.setResult(Module::systemJunk, {{fixtureItem("a", 4'000'000'000)}, false});
    }

    QuilloApp& app(bool trayAvailable = false)
    {
        trayShown = trayAvailable;
        made = std::make_unique<QuilloApp>(QuilloApp::Environment{system.services(), preferences,
                                                                  [this] { return trayShown; }, SettingsWindow::System{}});
        return *made;
    }

    // Shows the main window and gives it the keyboard.
    MainWindow& activeWindow(QuilloApp& quillo)
    {
        quillo.start({});
        MainWindow& window = *quillo.mainWindow();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        return window;
    }

    QTemporaryDir folder;
    Preferences preferences{folder.filePath("preferences.json")};
    FakeSystem system;
    bool trayShown = false;
    std::unique_ptr<QuilloApp> made;
};

} // namespace

TEST_F(AppTest, StartsWithOneWindowOnTheSmartScanItsSizeAndTheScanMenu)
{
    QuilloApp& quillo = app();
    quillo.start({});
    MainWindow* window = quillo.mainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), "Quillo");
    EXPECT_EQ(window->size(), MainWindow::defaultSize);
    window->resize(200, 200);
    EXPECT_GE(window->width(), 960);
    EXPECT_GE(window->height(), 660);
    EXPECT_TRUE(window->sidebar()->row(Module::smartScan)->isSelected());
    EXPECT_NE(qobject_cast<HomeScreen*>(window->detail()->screen()), nullptr);

    const auto& actions = window->scanActions();
    ASSERT_EQ(actions.size(), 10u);
    EXPECT_EQ(actions[0]->text(), "Smart Scan");
    EXPECT_EQ(actions[0]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_R));
    EXPECT_EQ(actions[1]->text(), "Scan System Junk");
    EXPECT_EQ(actions[9]->text(), "Scan iPhone Backups");
    EXPECT_EQ(window->settingsAction()->shortcut(), QKeySequence("Ctrl+,"));
    EXPECT_EQ(window->quitAction()->shortcut(), QKeySequence("Ctrl+Q"));

    // A menu item shows its module and scans it.
    actions[1]->trigger();
    EXPECT_EQ(quillo.store().selectedModule(), Module::systemJunk);
    EXPECT_TRUE(QTest::qWaitFor([&] { return quillo.store().phase(Module::systemJunk) == ScanPhase::ready(); }));
    EXPECT_NE(qobject_cast<ModuleScreen*>(window->detail()->screen()), nullptr);
}

TEST_F(AppTest, KeysScanStopAndRescanTheShownModuleAndOpenTheSettings)
{
    QuilloApp& quillo = app();
    MainWindow& window = activeWindow(quillo);
    quillo.store().setSelectedModule(Module::trash);

    // Ctrl+R from another module's screen shows and scans the Smart Scan.
    system.scanner.hold(Module::smartScan);
    QTest::keyClick(&window, Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(quillo.store().selectedModule(), Module::smartScan);
    EXPECT_EQ(quillo.store().phase(Module::smartScan), ScanPhase::scanning());
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_EQ(quillo.store().phase(Module::smartScan), ScanPhase::idle());

    quillo.store().setSelectedModule(Module::systemJunk);
    QTest::keyClick(&window, Qt::Key_F5);
    EXPECT_EQ(quillo.store().phase(Module::systemJunk), ScanPhase::scanning());
    system.scanner.finish(Module::systemJunk);
    EXPECT_TRUE(QTest::qWaitFor([&] { return quillo.store().phase(Module::systemJunk) == ScanPhase::ready(); }));

    QTest::keyClick(&window, Qt::Key_Comma, Qt::ControlModifier);
    ASSERT_NE(quillo.settingsWindow(), nullptr);
    EXPECT_TRUE(quillo.settingsWindow()->isVisible());
    QSignalSpy quitting(&quillo, &QuilloApp::quitting);
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(quitting.count(), 1);
}

TEST_F(AppTest, SidebarRowsSelectWithoutScanningAndBadgeWhatTheyDoOrFound)
{
    system.scanner.setResult(Module::trash, {});
    QuilloApp& quillo = app();
    quillo.start({});
    Sidebar& sidebar = *quillo.mainWindow()->sidebar();
    SidebarRow& junk = *sidebar.row(Module::systemJunk);
    junk.click();
    EXPECT_EQ(quillo.store().selectedModule(), Module::systemJunk);
    EXPECT_EQ(quillo.store().phase(Module::systemJunk), ScanPhase::idle());
    EXPECT_TRUE(junk.isSelected());
    EXPECT_FALSE(sidebar.row(Module::smartScan)->isSelected());
    EXPECT_EQ(junk.badge()->shown(), SidebarBadge::Shown::nothing);

    system.scanner.hold(Module::systemJunk);
    quillo.store().scan(Module::systemJunk);
    EXPECT_EQ(SidebarBadge::shownFor(quillo.store(), Module::systemJunk), SidebarBadge::Shown::spinner);
    system.scanner.finish(Module::systemJunk);
    EXPECT_TRUE(QTest::qWaitFor([&] { return junk.badge()->shown() == SidebarBadge::Shown::figure; }));
    EXPECT_EQ(junk.badge()->text(), "4 GB");

    // A module that found nothing shows nothing.
    quillo.store().scan(Module::trash);
    EXPECT_TRUE(QTest::qWaitFor([&] { return quillo.store().phase(Module::trash) == ScanPhase::ready(); }));
    EXPECT_EQ(SidebarBadge::shownFor(quillo.store(), Module::trash), SidebarBadge::Shown::nothing);

    // With no module selected no row is highlighted, and the home screen shows.
    quillo.store().setSelectedModule(std::nullopt);
    EXPECT_FALSE(junk.isSelected());
    EXPECT_NE(qobject_cast<HomeScreen*>(quillo.mainWindow()->detail()->screen()), nullptr);
}

TEST_F(AppTest, TheStorageCardTurnsToTheDangerColourWhenLessThanTenGigabytesAreLeft)
{
    StoreServices services = system.services();
    services.storage = [] { return StorageInfo{"Disk", 15'833'000'000, 9'500'000'000}; }; // 40 % used
    CleanerStore store(services);
    StorageWidget card(store);
    EXPECT_EQ(card.free()->bytes(), 9'500'000'000);
    EXPECT_EQ(card.bar()->color(), Palette::danger);
}

TEST_F(AppTest, TheTrayPreferenceShowsTheItemAndDecidesWhetherClosingTheWindowQuits)
{
    QuilloApp& quillo = app(true);
    ASSERT_NE(quillo.trayItem(), nullptr);
    EXPECT_FALSE(QApplication::quitOnLastWindowClosed());
    preferences.setBool(PreferenceKeys::showInMenuBar, false);
    EXPECT_EQ(quillo.trayItem(), nullptr);
    EXPECT_TRUE(QApplication::quitOnLastWindowClosed());
    preferences.setBool(PreferenceKeys::showInMenuBar, true);
    ASSERT_NE(quillo.trayItem(), nullptr);

    // The item's menu opens the window on the Smart Scan and scans.
    QMenu& menu = quillo.trayItem()->menu();
    menu.actions()[1]->trigger();
    ASSERT_NE(quillo.mainWindow(), nullptr);
    EXPECT_TRUE(quillo.mainWindow()->isVisible());
    EXPECT_NE(quillo.store().phase(Module::smartScan), ScanPhase::idle());
}

TEST_F(AppTest, WithoutATrayItIsAWindowAppAndABackgroundStartEnds)
{
    QuilloApp& quillo = app(false);
    EXPECT_EQ(quillo.trayItem(), nullptr);
    EXPECT_TRUE(QApplication::quitOnLastWindowClosed());

    preferences.setBool(PreferenceKeys::showInMenuBar, false);
    QSignalSpy quitting(&quillo, &QuilloApp::quitting);
    quillo.start(launch(true));
    EXPECT_TRUE(QTest::qWaitFor([&] { return quitting.count() == 1; }));
    EXPECT_EQ(quillo.mainWindow(), nullptr);
}

TEST_F(AppTest, TheAppearanceChoiceTurnsEveryWindowAtOnce)
{
    QuilloApp& quillo = app();
    quillo.start({});
    quillo.openSettings();
    preferences.setString(PreferenceKeys::appearance, "dark");
    EXPECT_TRUE(Appearance::isDark());
    for (QWidget* window : {static_cast<QWidget*>(quillo.mainWindow()), static_cast<QWidget*>(quillo.settingsWindow())})
        EXPECT_EQ(window->palette().color(QPalette::Window), Palette::canvas.resolved(true));
    preferences.setString(PreferenceKeys::appearance, "light");
    EXPECT_FALSE(Appearance::isDark());
    EXPECT_EQ(quillo.mainWindow()->palette().color(QPalette::Window), Palette::canvas.resolved(false));
}

TEST_F(AppTest, ALaterLaunchsRequestOpensItsModuleAndScansOnlyWhenAsked)
{
    for (const LaunchOptions& options :
         {LaunchOptions{}, launch(true), launch(false, Module::trash),
          launch(false, Module::smartScan, true)})
        EXPECT_EQ(LaunchOptions::fromRequest(options.request("token")), options);
    EXPECT_EQ(LaunchOptions::parse({"quillo-app", "--scan"}), (launch(false, Module::smartScan, true)));
    EXPECT_EQ(LaunchOptions::parse({"quillo-app", "downloads"}).module, Module::downloads);

    QuilloApp& quillo = app();
    quillo.handle(launch(true), {});
    EXPECT_EQ(quillo.mainWindow(), nullptr);
    quillo.handle(launch(false, Module::trash), {});
    ASSERT_NE(quillo.mainWindow(), nullptr);
    EXPECT_TRUE(quillo.mainWindow()->isVisible());
    EXPECT_EQ(quillo.store().selectedModule(), Module::trash);
    EXPECT_EQ(quillo.store().phase(Module::trash), ScanPhase::idle());
}

TEST_F(AppTest, AtRestNothingTicksButTheStoresRefreshAndTheMascotsBlink)
{
    Motion::setAnimationsEnabled(true);
    QuilloApp& quillo = app(true);
    quillo.start({});
    quillo.openSettings();
    // Whatever moves as the windows open comes to rest.
    auto animating = [] {
        for (QWidget* widget : QApplication::topLevelWidgets())
            for (const QAbstractAnimation* animation : widget->findChildren<QAbstractAnimation*>())
                if (animation->state() == QAbstractAnimation::Running)
                    return true;
        return false;
    };
    EXPECT_TRUE(QTest::qWaitFor([&] { return !animating(); }, 5'000));
    for (QWidget* window : QApplication::topLevelWidgets()) {
        for (const FrameClock* clock : window->findChildren<FrameClock*>())
            EXPECT_FALSE(clock->isTicking()) << clock->parent()->metaObject()->className();
        for (const QTimer* timer : window->findChildren<QTimer*>()) {
            if (timer->isActive()) {
                EXPECT_NE(qobject_cast<Mascot*>(timer->parent()), nullptr) << timer->parent()->metaObject()->className();
            }
        }
    }
    Motion::setAnimationsEnabled(false);
}
