// The module screen's view logic: sorting, relative dates and the texts a user decides on.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QLocale>

#include "store/CleanerStore.h"
#include "support/WidgetApplication.h"
#include "ui/design/CleanConfirmation.h"
#include "ui/design/Translations.h"
#include "ui/module/ItemSort.h"
#include "ui/module/ModuleTexts.h"
#include "ui/module/RelativeDate.h"

using ::testing::ElementsAre;

namespace {

using namespace std::chrono_literals;

// 2024-06-12 14:00:00 UTC, a Wednesday.
constexpr Date now = Date(std::chrono::seconds(1'718'200'800));

ScanItem item(std::string name, std::int64_t size, OptionalDate date = std::nullopt)
{
    ScanItem made;
    made.url = "/home/u/" + name;
    made.name = std::move(name);
    made.size = size;
    made.date = date;
    return made;
}

class ModuleLogicTest : public ::testing::Test {
protected:
    void SetUp() override { Translations::install(); }
};

} // namespace

TEST_F(ModuleLogicTest, SortsStablyWithUndatedItemsLastAndNamesInNaturalOrder)
{
    const std::vector<ScanItem> items = {
        item("b", 10, now - 24h), item("no date 1", 30), item("A", 30, now - 48h),
        item("file 10", 5, now - 24h), item("no date 2", 1), item("File 9", 30),
    };
    // Largest first; equal sizes keep the result's order.
    EXPECT_THAT(sortedOrder(items, ItemSort::size), ElementsAre(1, 2, 5, 0, 3, 4));
    // Oldest first; equal dates keep their order, and undated items come last in theirs.
    EXPECT_THAT(sortedOrder(items, ItemSort::date), ElementsAre(2, 0, 3, 1, 4, 5));
    // Case does not count, and numbers compare as numbers.
    EXPECT_THAT(sortedOrder(items, ItemSort::name), ElementsAre(2, 0, 5, 3, 1, 4));
    const std::vector<ScanItem> sameName = {item("Log", 1), item("log", 2)};
    EXPECT_THAT(sortedOrder(sameName, ItemSort::name), ElementsAre(0, 1));
}

TEST_F(ModuleLogicTest, DatesReadRelativeToNowInTheLargestUnitThatDiffers)
{
    const RelativeDate dates(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(dates.text(now - 24h, now), "yesterday");
    EXPECT_EQ(dates.text(now - 3 * 24h, now), "3 days ago");
    EXPECT_EQ(dates.text(now - 21 * 24h, now), "3 weeks ago");
    EXPECT_EQ(dates.text(now - 7 * 24h, now), "last week");
    EXPECT_EQ(dates.text(now - 400 * 24h, now), "last year");
    EXPECT_EQ(dates.text(now - 5min, now), "5 minutes ago");
    EXPECT_EQ(dates.text(now + 2h, now), "in 2 hours");
    EXPECT_EQ(dates.text(now, now), "now");
}

TEST_F(ModuleLogicTest, RowSubtitleAddsTheDateOnlyWhenThereIsOne)
{
    const RelativeDate dates(QLocale(QLocale::English, QLocale::UnitedStates));
    ScanItem dated = item("cache", 1, now - 24h);
    dated.detail = "~/.cache/app";
    EXPECT_EQ(ModuleTexts::rowSubtitle(dated, dates, now), "~/.cache/app · yesterday");
    dated.date.reset();
    EXPECT_EQ(ModuleTexts::rowSubtitle(dated, dates, now), "~/.cache/app");
}

TEST_F(ModuleLogicTest, ConfirmationSaysWhereTheItemsGoAndCountsThemInAgreement)
{
    const auto trash = CleanConfirmation::texts(3, 2'500'000'000, false);
    EXPECT_EQ(trash.title, "Clean 2.5 GB?");
    EXPECT_EQ(trash.message, "The selected items will be moved to the Trash, so you can still restore them.");
    EXPECT_EQ(trash.confirm, "Move to Trash");
    EXPECT_EQ(CleanConfirmation::texts(3, 2'500'000'000, false, true).message,
              "The selected items will be moved to the Trash, so you can still restore them. Items that are already "
              "in the Trash will be deleted permanently.");

    const auto permanent = CleanConfirmation::texts(1, 0, true);
    EXPECT_EQ(permanent.title, "Permanently delete 1 item (0 KB)?");
    EXPECT_EQ(permanent.message, "This frees the space right away and can't be undone.");
    EXPECT_EQ(permanent.confirm, "Delete Permanently");
    EXPECT_EQ(CleanConfirmation::texts(2, 48'000, true).title, "Permanently delete 2 items (48 KB)?");

    // Items of the Trash can only go for good, whatever the preference says.
    EXPECT_TRUE(CleanerStore::cleansPermanently(Module::trash, false));
    EXPECT_FALSE(CleanerStore::cleansPermanently(Module::systemJunk, false));
    EXPECT_TRUE(CleanerStore::cleansPermanently(Module::systemJunk, true));
}

TEST_F(ModuleLogicTest, CountsBannerAndButtonsReadAsWritten)
{
    EXPECT_EQ(ModuleTexts::itemCount(1), "1 item");
    EXPECT_EQ(ModuleTexts::itemCount(2), "2 items");
    EXPECT_EQ(ModuleTexts::selectedCount(0), "0 items selected");
    EXPECT_EQ(ModuleTexts::selectedCount(1), "1 item selected");
    EXPECT_EQ(ModuleTexts::bannerTitle({614'400'000, 3, 0, true}), "Poof! 614.4 MB cleaned");
    EXPECT_EQ(ModuleTexts::bannerDetail({1, 3, 2, true}),
              "It's in the Trash. Empty it to get the space back for good. 2 couldn't be removed because they're in use.");
    EXPECT_EQ(ModuleTexts::bannerDetail({1, 3, 0, false}), "Deleted for good.");
    // An undo counts items, not the Trash entries an item became.
    const auto blocked = std::make_error_code(std::errc::file_exists);
    const auto gone = std::make_error_code(std::errc::no_such_file_or_directory);
    UndoReport undo{UndoReport::Kind::undone,
                    {{"/a", {}, {}}, {"/a", {}, {}}, {"/b", {}, {}}, {"/c", {}, blocked}, {"/d", {}, gone}, {"/e", {}, gone}}};
    EXPECT_EQ(ModuleTexts::undoLeftBehind(undo), "Put back 2 items. 1 couldn't go back because something else is at its "
                                                 "place now. 2 couldn't go back because they're no longer in the Trash.");
    EXPECT_EQ(ModuleTexts::cleanButton(Module::trash).text, "Delete");
    EXPECT_EQ(ModuleTexts::cleanButton(Module::downloads).text, "Clean");
    EXPECT_EQ(ModuleTexts::scanningTitle(Module::largeFiles), "Looking through large files…");
    EXPECT_EQ(ModuleTexts::currentPath(""), "Getting started…");
    EXPECT_EQ(ModuleTexts::accessTitle(Module::trash), "Quillo needs a key");
    EXPECT_EQ(ModuleTexts::accessTitle(Module::downloads), "Let Quillo take a look");
}
