// The home screen: its texts and figures by the Smart Scan's state, and the screen on a store
// with fake services.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QMessageBox>
#include <QThread>

#include "store/CleanerStore.h"
#include "store/FakeServices.h"
#include "support/EventLoop.h"
#include "support/WidgetApplication.h"
#include "ui/design/Motion.h"
#include "ui/design/Palette.h"
#include "ui/design/PillButton.h"
#include "ui/design/Translations.h"
#include "ui/home/HomeHeader.h"
#include "ui/home/HomeScreen.h"
#include "ui/home/HomeTexts.h"
#include "ui/home/LegendChip.h"
#include "ui/home/ModuleCard.h"
#include "ui/home/StorageCard.h"

namespace {

constexpr std::int64_t GB = 1'000'000'000;

class HomeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Translations::install();
        Motion::setAnimationsEnabled(false);
        system.scanner.setResult(Module::systemJunk,
                                 {{fixtureItem("a", 3 * GB, true), fixtureItem("b", 1 * GB, false)}, false});
        system.scanner.setResult(Module::developerJunk, {{fixtureItem("c", 2 * GB, true)}, false});
        system.scanner.setResult(Module::trash, {{fixtureItem("d", 500'000'000, true)}, false});
    }

    void scanAll()
    {
        store.scan(Module::smartScan);
        ASSERT_TRUE(runEventsUntil([&] { return store.phase(Module::smartScan) == ScanPhase::ready(); }));
        settleFrames();
    }

    FakeSystem system;
    CleanerStore store{system.services()};
};

std::vector<QString> labels(const std::vector<StorageSegment>& segments)
{
    std::vector<QString> result;
    for (const StorageSegment& segment : segments)
        result.push_back(segment.label + " " + QString::number(segment.bytes));
    return result;
}

} // namespace

TEST_F(HomeTest, TitleAndSubtitleFollowThePhase)
{
    const StorageInfo roomy{"HD", 500 * GB, 200 * GB};
    EXPECT_EQ(HomeTexts::title(ScanPhase::idle(), 0), "Let's make some room");
    EXPECT_EQ(HomeTexts::title(ScanPhase::scanning(), 0), "Hunting for clutter…");
    EXPECT_EQ(HomeTexts::title(ScanPhase::ready(), 0), "Your computer is spotless");
    EXPECT_EQ(HomeTexts::title(ScanPhase::ready(), 4'500'000'000), "4.5 GB to clean");
    EXPECT_EQ(HomeTexts::title(ScanPhase::cleaned({0, 0, 0, false}), 0), "0 KB gone");

    EXPECT_EQ(HomeTexts::subtitle(ScanPhase::idle(), roomy, 0, 0, "").text, "200 GB free. A quick tidy keeps it that way.");
    // 9 GB free on a mostly empty disk is low all the same.
    const auto low = HomeTexts::subtitle(ScanPhase::idle(), {"HD", 2000 * GB, 9 * GB}, 0, 0, "");
    EXPECT_EQ(low.look, HomeTexts::Subtitle::Look::warning);
    EXPECT_EQ(low.text, "Your computer is almost full: only 9 GB left.");
    EXPECT_EQ(HomeTexts::subtitle(ScanPhase::scanning(), roomy, 0, 0, "").text, "Getting started…");
    EXPECT_EQ(HomeTexts::subtitle(ScanPhase::ready(), roomy, 0, 0, "").text,
              "Nothing's picked yet. Open a card to choose what goes.");
    EXPECT_EQ(HomeTexts::subtitle(ScanPhase::ready(), roomy, 2, 3 * GB, "").text,
              "3 GB is picked and safe to remove. Open a card to review it.");

    const auto deleted = HomeTexts::subtitle(ScanPhase::cleaned({GB, 2, 1, false}), roomy, 0, 0, "");
    EXPECT_EQ(deleted.text, "That space is free again.");
    EXPECT_EQ(deleted.failures, "1 item was in use and got skipped.");
    EXPECT_EQ(HomeTexts::subtitle(ScanPhase::cleaned({GB, 2, 3, true}), roomy, 0, 0, "").failures,
              "3 items were in use and got skipped.");
    EXPECT_TRUE(HomeTexts::subtitle(ScanPhase::cleaned({GB, 2, 0, true}), roomy, 0, 0, "").failures.isEmpty());
    // Truncated, never rounded up to a finished look.
    EXPECT_EQ(HomeTexts::progressLabel(0.999, 0), "99% · 0 KB found");
}

TEST_F(HomeTest, StorageSegmentsKeepZeroBytePiecesForTheLegend)
{
    const StorageInfo storage{"HD", 100 * GB, 40 * GB};
    EXPECT_EQ(labels(storageSegments(storage, {})), (std::vector<QString>{"Used 60000000000", "Free 40000000000"}));

    // Junk found beyond what the disk says is used: "Everything else" stays, at zero.
    const auto segments = storageSegments(storage, {{Module::systemJunk, 50 * GB}, {Module::developerJunk, 0},
                                                    {Module::trash, 20 * GB}});
    EXPECT_EQ(labels(segments), (std::vector<QString>{"System Junk 50000000000", "Trash 20000000000",
                                                      "Everything else 0", "Free 40000000000"}));
    EXPECT_TRUE(segments[2].flexible);
    EXPECT_EQ(segments.back().color, Palette::success);
    EXPECT_EQ(storageSegments({"HD", 100 * GB, 5 * GB}, {}).back().color, Palette::danger);
}

TEST_F(HomeTest, CardsShowLiveFiguresAndPickedChipsOnlyWhileReady)
{
    HomeScreen screen(store);
    ModuleCard* junk = screen.moduleCards()[0];
    EXPECT_EQ(junk->shownValue(), CardValue::notScanned);
    EXPECT_TRUE(junk->pickedText().isEmpty());

    system.scanner.hold(Module::trash);
    store.scan(Module::smartScan);
    ASSERT_TRUE(runEventsUntil([&] { return store.phase(Module::systemJunk) == ScanPhase::ready(); }));
    settleFrames();
    EXPECT_EQ(junk->pickedText(), "1 of 2 picked");
    EXPECT_EQ(junk->figure()->bytes(), 4 * GB);
    EXPECT_EQ(screen.moduleCards()[2]->shownValue(), CardValue::working);
    EXPECT_EQ(screen.header()->title(), "Hunting for clutter…");
    ASSERT_NE(screen.header()->readout(), nullptr);
    system.scanner.finish(Module::trash);
    ASSERT_TRUE(runEventsUntil([&] { return store.phase(Module::smartScan) == ScanPhase::ready(); }));
    settleFrames();
    EXPECT_EQ(screen.header()->title(), "6.5 GB to clean");
    EXPECT_EQ(screen.header()->primaryButton()->text(), "Clean 5.5 GB");

    system.scanner.setResult(Module::trash, {{}, true});
    store.scan(Module::trash);
    system.scanner.finish(Module::trash);
    ASSERT_TRUE(runEventsUntil([&] { return store.phase(Module::trash) == ScanPhase::ready(); }));
    settleFrames();
    EXPECT_EQ(screen.moduleCards()[2]->shownValue(), CardValue::needsAccess);
    // A module that found nothing has no piece of the bar nor of the legend.
    EXPECT_EQ(screen.storageCard()->legend()->chips().size(), 4u);
}

TEST_F(HomeTest, SmartCleanConfirmationWarnsThatTrashItemsGoForGood)
{
    HomeScreen screen(store);
    scanAll();
    screen.confirmClean();
    ASSERT_NE(screen.confirmation(), nullptr);
    EXPECT_EQ(screen.confirmation()->text(), "Clean 5.5 GB?");
    EXPECT_TRUE(screen.confirmation()->informativeText().endsWith(
        " Items that are already in the Trash will be deleted permanently."));
    screen.confirmation()->close();
    settleFrames();

    // Without a ticked Trash item there is nothing to warn about.
    store.toggle(store.result(Module::trash)->items[0]);
    screen.confirmClean();
    ASSERT_NE(screen.confirmation(), nullptr);
    EXPECT_EQ(screen.confirmation()->informativeText(),
              "The selected items will be moved to the Trash, so you can still restore them.");
    screen.confirmation()->close();
    settleFrames();

    system.deleteImmediately = true;
    screen.confirmClean();
    ASSERT_NE(screen.confirmation(), nullptr);
    EXPECT_EQ(screen.confirmation()->text(), "Permanently delete 2 items (5 GB)?");
}

TEST_F(HomeTest, AfterACleanTheHeaderOffersTheTrashOnlyWhenItemsWentThere)
{
    HomeScreen screen(store);
    scanAll();
    system.cleaner.failOn("/fixture/c");
    store.clean(Module::smartScan);
    ASSERT_TRUE(runEventsUntil([&] { return store.phase(Module::smartScan).kind() == ScanPhase::Kind::cleaned; }));
    settleFrames();
    EXPECT_EQ(screen.header()->title(), "3.5 GB gone");
    EXPECT_EQ(screen.header()->failures(), "1 item was in use and got skipped.");
    const auto buttons = screen.header()->actions()->findChildren<QAbstractButton*>();
    ASSERT_EQ(buttons.size(), 3);
    EXPECT_EQ(buttons[0]->text(), "Review Trash");
    EXPECT_EQ(buttons[1]->text(), "Undo");
    buttons[0]->click();
    EXPECT_EQ(store.phase(Module::smartScan), ScanPhase::idle());
    EXPECT_EQ(store.selectedModule(), Module::trash);
}

// Undone from the header, the items are back in their results and the header leaves its cleaned
// state; with nothing left to undo, it offers no undo.
TEST_F(HomeTest, UndoInTheHeaderPutsTheCleanBack)
{
    HomeScreen screen(store);
    scanAll();
    store.clean(Module::smartScan);
    ASSERT_TRUE(runEventsUntil([&] { return store.phase(Module::smartScan).kind() == ScanPhase::Kind::cleaned; }));
    settleFrames();
    auto undoButton = [&]() -> QAbstractButton* {
        for (auto* button : screen.header()->actions()->findChildren<QAbstractButton*>())
            if (button->text() == "Undo")
                return button;
        return nullptr;
    };
    ASSERT_NE(undoButton(), nullptr);
    undoButton()->click();
    ASSERT_TRUE(runEventsUntil([&] { return store.phase(Module::smartScan).kind() != ScanPhase::Kind::cleaned; }));
    settleFrames();
    EXPECT_EQ(store.result(Module::systemJunk)->items.size(), 2u);
    EXPECT_EQ(undoButton(), nullptr);
    EXPECT_FALSE(store.canUndo());
}
