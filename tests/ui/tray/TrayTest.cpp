// The tray item and its panel on a store with fake services: the tiles by state, the header's
// line, the icon and tooltip, the panel's buttons, and where the panel opens.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "store/CleanerStore.h"
#include "store/FakeServices.h"
#include "support/WidgetApplication.h"
#include "ui/design/Motion.h"
#include "ui/design/SoftButton.h"
#include "ui/tray/JunkTile.h"
#include "ui/tray/PanelHeader.h"
#include "ui/tray/PanelPlacement.h"
#include "ui/tray/TrashTile.h"
#include "ui/tray/TrayPanel.h"
#include "ui/tray/TraySymbol.h"
#include "ui/tray/TrayTexts.h"

namespace {

class TrayTest : public ::testing::Test {
protected:
    void SetUp() override { Motion::setAnimationsEnabled(false); }

    void scanToReady(Module module)
    {
        store.scan(module);
        ASSERT_TRUE(QTest::qWaitFor([&] { return store.phase(module) == ScanPhase::ready(); }));
        QTest::qWait(30); // the tiles refresh once a frame
    }

    FakeSystem system;
    CleanerStore store{system.services()};
};

} // namespace

TEST_F(TrayTest, TheJunkTileInvitesScansShowsTheScanAndThenWhatTheSmartScanFoundEvenNothing)
{
    TrayPanel panel(store);
    JunkTile& junk = *panel.junkTile();
    EXPECT_EQ(junk.state(), JunkTileState::idle);
    ASSERT_NE(junk.button(), nullptr);
    EXPECT_EQ(junk.button()->text(), "Scan");

    // The Trash scanned alone is not a Smart Scan's result.
    scanToReady(Module::trash);
    EXPECT_EQ(junk.state(), JunkTileState::idle);

    system.scanner.hold(Module::smartScan);
    junk.button()->click();
    QTest::qWait(30);
    EXPECT_EQ(junk.state(), JunkTileState::scanning);
    EXPECT_EQ(panel.header()->status(), "Scanning your computer…");
    for (Module target : Module(Module::smartScan).scanTargets())
        system.scanner.finish(target);
    ASSERT_TRUE(QTest::qWaitFor([&] { return junk.state() == JunkTileState::result; }));
    EXPECT_EQ(junk.button()->text(), "Review");
    std::vector<Module> opened;
    QObject::connect(&panel, &TrayPanel::openRequested, [&](Module module) { opened.push_back(module); });
    junk.button()->click();
    EXPECT_EQ(opened, std::vector<Module>{Module::smartScan});
}

TEST_F(TrayTest, TheTrashTileSaysNotScannedNeedsAccessOrItsSizeAndOpensTheTrash)
{
    TrayPanel panel(store);
    TrashTile& trash = *panel.trashTile();
    EXPECT_EQ(trash.note(), "Not scanned");

    system.scanner.setResult(Module::trash, {{fixtureItem("old.zip", 2'000'000)}, false});
    scanToReady(Module::trash);
    EXPECT_EQ(trash.state(), TrashTileState::figure);
    EXPECT_EQ(trash.accessibleName(), "Trash: 2 MB");

    system.scanner.setResult(Module::trash, {{fixtureItem("old.zip", 2'000'000)}, true});
    scanToReady(Module::trash);
    EXPECT_EQ(trash.note(), "Needs access");

    std::vector<Module> opened;
    QObject::connect(&panel, &TrayPanel::openRequested, [&](Module module) { opened.push_back(module); });
    QSignalSpy quit(&panel, &TrayPanel::quitRequested);
    trash.click();
    panel.quitButton()->click();
    EXPECT_EQ(opened, std::vector<Module>{Module::trash});
    EXPECT_EQ(quit.count(), 1);
}

// The panel offers to undo the last clean only while the store can, and its button does.
TEST_F(TrayTest, UndoLastCleanShowsWhileTheCleanCanBeUndone)
{
    TrayPanel panel(store);
    EXPECT_TRUE(panel.undoButton()->isHidden());
    system.scanner.setResult(Module::systemJunk, {{fixtureItem("cache", 2'000'000)}, false});
    scanToReady(Module::systemJunk);
    store.clean(Module::systemJunk);
    ASSERT_TRUE(QTest::qWaitFor([&] { return store.canUndo(); }));
    EXPECT_FALSE(panel.undoButton()->isHidden());
    panel.undoButton()->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return store.result(Module::systemJunk)->items.size() == 1; }));
    EXPECT_TRUE(panel.undoButton()->isHidden());
}

TEST_F(TrayTest, ALowDiskTurnsTheIconTheLineAndTheTooltip)
{
    const StorageInfo roomy{"Disk", 500'000'000'000, 100'000'000'000};
    const StorageInfo low{"Disk", 500'000'000'000, 8'000'000'000};
    EXPECT_EQ(TrayTexts::status(false, roomy), "Plenty of room");
    EXPECT_EQ(TrayTexts::status(false, low), "Your disk is almost full");
    EXPECT_EQ(TrayTexts::usedShare(low), "98% used");
    EXPECT_EQ(TraySymbol::symbolName(low.isSpaceLow()), "exclamationmark.triangle.fill");
    EXPECT_EQ(TraySymbol::symbolName(roomy.isSpaceLow()), "sparkles");
    EXPECT_EQ(TrayTexts::tooltip(low, true), "Quillo\n8 GB free");
    EXPECT_EQ(TrayTexts::tooltip(low, false), "Quillo");
    // Light glyphs on dark panels and dark on light, so the icon shows on either.
    EXPECT_GT(TraySymbol::glyphColor(platform::ColorScheme::dark).lightnessF(), 0.8);
    EXPECT_LT(TraySymbol::glyphColor(platform::ColorScheme::light).lightnessF(), 0.3);
}

TEST_F(TrayTest, ThePanelOpensBesideTheIconInsideTheScreenOrNowhereWhenTheIconsPlaceIsUnknown)
{
    const QRect screen(0, 0, 1920, 1080);
    const QRect available(0, 32, 1920, 1048); // a top panel 32 high
    const QSize panel(320, 500);
    // At the top right: below the icon and the panel it sits in, pulled back inside the right edge.
    EXPECT_EQ(PanelPlacement::beside(QRect(1880, 4, 24, 24), panel, screen, available),
              QPoint(1920 - PanelPlacement::gap - 320, 32 + PanelPlacement::gap));
    // At the bottom: above the icon, centred on it.
    EXPECT_EQ(PanelPlacement::beside(QRect(900, 1050, 24, 24), panel, screen, screen),
              QPoint(911 - 160, 1050 - PanelPlacement::gap - 500));
    // In a panel down the left edge: to the right of the icon.
    EXPECT_EQ(PanelPlacement::beside(QRect(4, 500, 24, 24), panel, screen, screen).x(), 28 + PanelPlacement::gap);

    EXPECT_EQ(PanelPlacement::iconPlace(QRect(10, 10, 22, 22), QPoint(700, 700), screen), QRect(10, 10, 22, 22));
    EXPECT_TRUE(PanelPlacement::iconPlace({}, QPoint(1890, 12), screen).has_value());
    EXPECT_FALSE(PanelPlacement::iconPlace({}, QPoint(900, 500), screen).has_value());
    EXPECT_FALSE(PanelPlacement::iconPlace({}, std::nullopt, screen).has_value());
}
