// The module screen on the real store, scanners, cleaner and Trash, in a home of the test
// program's own: scan System Junk, untick one item, clean, and find the rest in the Trash.
#include <gtest/gtest.h>

#include <QMessageBox>
#include <QElapsedTimer>
#include <QTest>
#include <QThread>

#include "scan/DiskScanner.h"
#include "scan/SystemAnswers.h"
#include "scan/apps/InstalledApps.h"
#include "store/CleanerStore.h"
#include "support/EventLoop.h"
#include "support/IsolatedHome.h"
#include "support/TempTree.h"
#include "support/WidgetApplication.h"
#include "ui/design/Motion.h"
#include "ui/design/PillButton.h"
#include "ui/module/CleanActionBar.h"
#include "ui/module/CleanedBanner.h"
#include "ui/module/ItemListModel.h"
#include "ui/module/ItemListView.h"
#include "ui/module/ModuleIntro.h"
#include "ui/module/ModuleResults.h"
#include "ui/module/ModuleScreen.h"

namespace {

// HOME and the XDG folders point into the program's own home before the application (and GLib
// with it) starts.
const std::filesystem::path& home = isolatedHome();

class EndToEndTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Motion::setAnimationsEnabled(false);
        trashFiles = emptiedTrash();
        DiskScanner::setHomeForTesting(home);
        DiskScanner::setApplicationFoldersForTesting(apps.folder("Applications"), apps.folder("System"));
        DiskScanner::setRunningApplicationsForTesting({});
    }

    void TearDown() override
    {
        DiskScanner::resetSystemAnswersForTesting();
        DiskScanner::resetRunningApplicationsForTesting();
        std::filesystem::remove_all(home / "Library");
    }

    void write(const std::string& relative, std::size_t size) const
    {
        writeFile(home / relative, std::string(size, 'q'));
    }

    std::filesystem::path trashFiles;
    TempTree apps;
};

int rowNamed(ItemListView& list, const std::string& name)
{
    for (int row = 0; row < list.model()->rowCount(); ++row)
        if (list.items().item(row).url.filename() == name)
            return row;
    return -1;
}

} // namespace

TEST_F(EndToEndTest, ScanUntickOneCleanAndFindTheRestInTheTrash)
{
    write("Library/Caches/com.example.editor/blob", 50'000);
    write("Library/Caches/com.example.player/blob", 30'000);
    write("Library/Logs/tool.log", 8'000);
    CleanerStore store(StoreServices::live());
    ModuleScreen screen(store, Module::systemJunk);
    screen.resize(900, 700);
    screen.setAttribute(Qt::WA_DontShowOnScreen);
    screen.show();

    auto* intro = qobject_cast<ModuleIntro*>(screen.bodyWidget());
    ASSERT_NE(intro, nullptr);
    QTest::mouseClick(intro->scanButton(), Qt::LeftButton);
    ASSERT_TRUE(runEventsUntil([&] { return screen.body() == ModuleScreen::Body::results; }));
    settleFrames();
    auto* results = qobject_cast<ModuleResults*>(screen.bodyWidget());
    ItemListView* list = results->list();
    ASSERT_EQ(list->model()->rowCount(), 3);

    const int kept = rowNamed(*list, "com.example.player");
    ASSERT_GE(kept, 0);
    ASSERT_TRUE(list->items().isTicked(kept));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, list->rowBody(kept).center().toPoint());
    EXPECT_FALSE(list->items().isTicked(kept));

    QTest::mouseClick(results->actionBar()->cleanButton(), Qt::LeftButton);
    ASSERT_NE(results->confirmation(), nullptr);
    for (QAbstractButton* button : results->confirmation()->buttons())
        if (results->confirmation()->buttonRole(button) == QMessageBox::DestructiveRole)
            QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_TRUE(runEventsUntil([&] { return screen.findChild<CleanedBanner*>() != nullptr; }));
    EXPECT_EQ(store.phase(Module::systemJunk).summary()->itemCount, 2);

    EXPECT_TRUE(std::filesystem::exists(trashFiles / "com.example.editor/blob"));
    EXPECT_TRUE(std::filesystem::exists(trashFiles / "tool.log"));
    EXPECT_FALSE(std::filesystem::exists(trashFiles / "com.example.player"));
    EXPECT_TRUE(std::filesystem::exists(home / "Library/Caches/com.example.player/blob"));
    settleFrames();
    EXPECT_EQ(list->model()->rowCount(), 1);
}
