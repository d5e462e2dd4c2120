// The module screen on a store with fake services: what each state shows, and that the list is
// usable by mouse, keyboard and assistive technology alike.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QElapsedTimer>
#include <QTest>
#include <QThread>

#include "store/CleanerStore.h"
#include "store/FakeServices.h"
#include "support/EventLoop.h"
#include "support/WidgetApplication.h"
#include "ui/design/Motion.h"
#include "ui/design/PillButton.h"
#include "ui/design/SizeText.h"
#include "ui/design/SoftButton.h"
#include "ui/module/CleanActionBar.h"
#include "ui/module/ItemListModel.h"
#include "ui/module/CleanedBanner.h"
#include "ui/module/ItemListView.h"
#include "ui/module/KeptToast.h"
#include "ui/module/ListControls.h"
#include "ui/module/ModuleHeader.h"
#include "ui/module/ModuleResults.h"
#include "ui/module/ModuleScreen.h"
#include "ui/module/SelectAllBox.h"

namespace {

ScanItem item(const std::string& name, std::int64_t size, bool recommended, std::vector<ScanItem::Tag> tags = {})
{
    ScanItem made;
    made.url = "/fixture/" + name;
    made.name = name;
    made.detail = "~/.cache/" + name;
    made.size = size;
    made.isRecommended = recommended;
    made.tags = std::move(tags);
    return made;
}

class ModuleScreenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Motion::setAnimationsEnabled(false);
        system.scanner.setResult(Module::systemJunk, {{item("alpha", 3000, true, {ScanItem::Tag::rebuildable}),
                                                       item("beta", 2000, true), item("gamma", 1000, false)},
                                                      false});
        system.scanner.setResult(Module::trash, {{item("old.zip", 500, true)}, false});
    }

    // A screen of `module`, shown off screen and scanned to its result.
    std::unique_ptr<ModuleScreen> scanned(Module module)
    {
        auto screen = std::make_unique<ModuleScreen>(store, module);
        screen->resize(900, 700);
        screen->setAttribute(Qt::WA_DontShowOnScreen);
        screen->show();
        // Return reaches the default button only in the active window.
        QApplication::setActiveWindow(screen.get());
        store.scan(module);
        EXPECT_TRUE(runEventsUntil([&] { return store.phase(module) == ScanPhase::ready() && !store.isScanning(module); }));
        settleFrames();
        return screen;
    }

    static ItemListView* listOf(ModuleScreen& screen) { return screen.findChild<ItemListView*>(); }

    void click(ItemListView* list, int row)
    {
        const QPoint at = list->rowBody(row).center().toPoint();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    }

    FakeSystem system;
    CleanerStore store{system.services()};
};

} // namespace

TEST_F(ModuleScreenTest, EachStateShowsItsBodyAndARefusedScanExplainsEvenWhenReady)
{
    ModuleScreen screen(store, Module::systemJunk);
    EXPECT_EQ(screen.body(), ModuleScreen::Body::intro);
    system.scanner.hold(Module::systemJunk);
    store.scan(Module::systemJunk);
    EXPECT_EQ(screen.body(), ModuleScreen::Body::scanning);
    EXPECT_EQ(screen.header()->found(), nullptr);
    system.scanner.finish(Module::systemJunk);
    ASSERT_TRUE(runEventsUntil([&] { return screen.body() == ModuleScreen::Body::results; }));
    settleFrames();
    ASSERT_NE(screen.header()->found(), nullptr);
    EXPECT_EQ(screen.header()->found()->bytes(), 6000);

    system.scanner.setResult(Module::systemJunk, {{item("alpha", 3000, true)}, true});
    system.scanner.finish(Module::systemJunk);
    store.scan(Module::systemJunk);
    ASSERT_TRUE(runEventsUntil([&] { return store.phase(Module::systemJunk) == ScanPhase::ready(); }));
    EXPECT_EQ(screen.body(), ModuleScreen::Body::accessNeeded);
    settleFrames();
    EXPECT_EQ(screen.header()->found(), nullptr);
}

TEST_F(ModuleScreenTest, ClicksAndSpaceTickRowsAndTheControlsFollowTheStore)
{
    auto screen = scanned(Module::systemJunk);
    ItemListView* list = listOf(*screen);
    auto* results = qobject_cast<ModuleResults*>(screen->bodyWidget());
    ASSERT_NE(list, nullptr);
    ASSERT_NE(results, nullptr);
    SelectAllBox* selectAll = results->controls()->selectAllBox();
    EXPECT_EQ(selectAll->checkState(), Qt::PartiallyChecked);
    EXPECT_EQ(selectAll->text(), "Select all");

    click(list, 2); // gamma, not recommended
    EXPECT_EQ(store.selectedTotals(Module::systemJunk), (CleanerStore::SelectedTotals{3, 6000}));
    EXPECT_EQ(selectAll->checkState(), Qt::Checked);
    EXPECT_EQ(selectAll->text(), "Deselect all");

    selectAll->click();
    EXPECT_EQ(store.selectedTotals(Module::systemJunk).count, 0u);
    EXPECT_EQ(selectAll->checkState(), Qt::Unchecked);
    EXPECT_FALSE(results->actionBar()->cleanButton()->isEnabled());

    list->setFocus();
    list->setCurrentIndex(list->model()->index(0, 0));
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Space);
    EXPECT_TRUE(store.isSelected(store.result(Module::systemJunk)->items[1]));
    EXPECT_TRUE(results->actionBar()->cleanButton()->isEnabled());
}

TEST_F(ModuleScreenTest, SortingReordersRowsAndKeepsTheirTicks)
{
    auto screen = scanned(Module::systemJunk);
    ItemListView* list = listOf(*screen);
    list->items().setSort(ItemSort::name);
    EXPECT_EQ(list->items().item(0).name, "alpha");
    list->items().setSort(ItemSort::size);
    EXPECT_EQ(list->items().item(2).name, "gamma");
    EXPECT_FALSE(list->items().isTicked(2));
}

TEST_F(ModuleScreenTest, RowsAreCheckBoxesToAssistiveTechnology)
{
    auto screen = scanned(Module::systemJunk);
    ItemListView* list = listOf(*screen);
    QAccessibleInterface* listInterface = QAccessible::queryAccessibleInterface(list);
    ASSERT_NE(listInterface, nullptr);
    EXPECT_EQ(listInterface->childCount(), 3);
    QAccessibleInterface* first = listInterface->child(0);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->role(), QAccessible::CheckBox);
    EXPECT_EQ(first->text(QAccessible::Name), "alpha, 3 KB, Safe");
    EXPECT_TRUE(first->state().checkable);
    EXPECT_TRUE(first->state().checked);
    EXPECT_EQ(listInterface->indexOfChild(first), 0);

    auto* actions = first->actionInterface();
    ASSERT_NE(actions, nullptr);
    EXPECT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::toggleAction()));
    EXPECT_TRUE(actions->actionNames().contains("Show in Files"));
    actions->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_FALSE(first->state().checked);
    EXPECT_FALSE(store.isSelected(store.result(Module::systemJunk)->items[0]));

    auto* results = qobject_cast<ModuleResults*>(screen->bodyWidget());
    QAccessibleInterface* selectAll = QAccessible::queryAccessibleInterface(results->controls()->selectAllBox());
    EXPECT_EQ(selectAll->role(), QAccessible::CheckBox);
    EXPECT_TRUE(selectAll->state().checkStateMixed);
}

TEST_F(ModuleScreenTest, ReturnAsksBeforeCleaningAndCancelIsTheDefaultAnswer)
{
    auto screen = scanned(Module::systemJunk);
    auto* results = qobject_cast<ModuleResults*>(screen->bodyWidget());
    QTest::keyClick(screen.get(), Qt::Key_Return);
    ASSERT_TRUE(runEventsUntil([&] { return results->confirmation() != nullptr; }));
    QMessageBox* box = results->confirmation();
    EXPECT_EQ(box->text(), "Clean 5 KB?");
    ASSERT_NE(box->defaultButton(), nullptr);
    EXPECT_EQ(box->buttonRole(box->defaultButton()), QMessageBox::RejectRole);
    box->defaultButton()->click();
    settleFrames();
    EXPECT_TRUE(system.cleaner.calls().empty());
    EXPECT_EQ(store.phase(Module::systemJunk), ScanPhase::ready());
}

TEST_F(ModuleScreenTest, TheTrashIsAlwaysDeletedForGoodAndSaysSo)
{
    system.deleteImmediately = false;
    auto screen = scanned(Module::trash);
    auto* results = qobject_cast<ModuleResults*>(screen->bodyWidget());
    EXPECT_EQ(results->actionBar()->cleanButton()->text(), "Delete");
    results->confirmClean();
    ASSERT_NE(results->confirmation(), nullptr);
    EXPECT_EQ(results->confirmation()->text(), "Permanently delete 1 item (500 bytes)?");
    for (QAbstractButton* button : results->confirmation()->buttons())
        if (results->confirmation()->buttonRole(button) == QMessageBox::DestructiveRole)
            button->click();
    ASSERT_TRUE(runEventsUntil([&] { return store.phase(Module::trash).kind() == ScanPhase::Kind::cleaned; }));
    ASSERT_EQ(system.cleaner.calls().size(), 1u);
    EXPECT_TRUE(system.cleaner.calls()[0].permanently);
}

// "Never Clean This" takes the row out at once and keeps the item's path; the toast's Undo takes
// it off the keep list and brings the row back.
TEST_F(ModuleScreenTest, NeverCleanThisKeepsTheItemAndTheToastTakesItBack)
{
    auto screen = scanned(Module::systemJunk);
    ItemListView* list = listOf(*screen);
    ASSERT_EQ(list->items().item(1).name, "beta");
    auto* menu = qobject_cast<QMenu*>(list->openContextMenu(1, QPoint(0, 0)));
    ASSERT_NE(menu, nullptr);
    const auto actions = menu->actions();
    const auto never = std::ranges::find(actions, QStringLiteral("Never Clean This"), &QAction::text);
    ASSERT_NE(never, actions.end());
    (*never)->trigger();
    menu->close();
    settleFrames();
    EXPECT_EQ(system.kept, std::vector<std::string>{"/fixture/beta"});
    EXPECT_EQ(list->model()->rowCount(), 2);
    KeptToast* toast = screen->findChild<ModuleResults*>()->keptToast();
    EXPECT_TRUE(toast->isVisible());
    EXPECT_EQ(toast->text(), "“beta” will never be cleaned");

    toast->undoButton()->click();
    settleFrames();
    EXPECT_TRUE(system.kept.empty());
    EXPECT_EQ(list->model()->rowCount(), 3);
    EXPECT_FALSE(toast->isVisible());

    // Assistive technology reaches the same choice on a row.
    QAccessibleInterface* beta = QAccessible::queryAccessibleInterface(list)->child(1);
    ASSERT_NE(beta, nullptr);
    beta->actionInterface()->doAction("Never Clean This");
    settleFrames();
    EXPECT_EQ(system.kept, std::vector<std::string>{"/fixture/beta"});
    EXPECT_EQ(list->model()->rowCount(), 2);
}

// The cleaned banner offers Undo while the store can undo this module's clean; undone, the items
// are back and the banner goes. A clean that deleted for good offers none.
TEST_F(ModuleScreenTest, TheCleanedBannerOffersUndoWhileTheCleanCanBeUndone)
{
    auto screen = scanned(Module::systemJunk);
    auto* results = screen->findChild<ModuleResults*>();
    auto cleanToTheEnd = [&] {
        store.clean(Module::systemJunk);
        ASSERT_TRUE(runEventsUntil([&] { return store.phase(Module::systemJunk).kind() == ScanPhase::Kind::cleaned; }));
        settleFrames();
        ASSERT_NE(results->cleanedBanner(), nullptr);
    };
    cleanToTheEnd();
    EXPECT_FALSE(results->cleanedBanner()->undoButton()->isHidden());
    results->cleanedBanner()->undoButton()->click();
    EXPECT_TRUE(results->cleanedBanner()->undoButton()->isHidden());
    ASSERT_TRUE(runEventsUntil([&] { return store.phase(Module::systemJunk).kind() != ScanPhase::Kind::cleaned; }));
    EXPECT_EQ(store.result(Module::systemJunk)->items.size(), 3u);

    system.deleteImmediately = true;
    store.setSelected(true, store.result(Module::systemJunk)->items);
    cleanToTheEnd();
    EXPECT_TRUE(results->cleanedBanner()->undoButton()->isHidden());
}
