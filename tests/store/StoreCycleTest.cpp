// One whole scan, tick and clean cycle with the real scanners, cleaner and Trash, in a home of the
// test program's own.
#include <cstdlib>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "store/CleanerStore.h"
#include "scan/DiskScanner.h"
#include "scan/SystemAnswers.h"
#include "scan/apps/InstalledApps.h"
#include "support/EventLoop.h"
#include "support/IsolatedHome.h"
#include "support/TempTree.h"
#include "support/TreeSnapshot.h"

using ::testing::UnorderedElementsAre;

namespace {

std::vector<std::string> names(const std::vector<ScanItem>& items)
{
    std::vector<std::string> result;
    for (const ScanItem& item : items)
        result.push_back(item.url.filename().string());
    return result;
}

class StoreCycleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        home = isolatedHome();
        trashFiles = emptiedTrash();
        DiskScanner::setHomeForTesting(home);
        DiskScanner::setApplicationFoldersForTesting(apps.folder("Applications"), apps.folder("System"));
        DiskScanner::setRunningApplicationsForTesting({});
        // Emptying the Trash must not reach the trashes of the machine's other drives.
        DiskScanner::setMountedFileSystemsForTesting({});
    }

    void TearDown() override
    {
        DiskScanner::resetSystemAnswersForTesting();
        DiskScanner::resetRunningApplicationsForTesting();
        for (const char* folder : {"Library", ".local/share/flatpak", ".var"})
            std::filesystem::remove_all(home / folder);
    }

    void write(const std::string& relative, std::size_t size) const { writeFile(home / relative, std::string(size, 'q')); }

    std::filesystem::path home;
    std::filesystem::path trashFiles;
    TempTree apps;
};

} // namespace

TEST_F(StoreCycleTest, ScanTickCleanThenEmptyTheTrash)
{
    write("Library/Caches/com.example.editor/blob", 50'000);
    write("Library/Caches/com.apple.Safari/cache.db", 20'000);
    write("Library/Logs/tool.log", 8'000);
    CleanerStore store(StoreServices::live());

    store.scan(Module::systemJunk);
    ASSERT_TRUE(runEventsUntil([&] { return store.phase(Module::systemJunk) == ScanPhase::ready(); }));
    const CategoryResult* found = store.result(Module::systemJunk);
    ASSERT_NE(found, nullptr);
    EXPECT_THAT(names(found->items), UnorderedElementsAre("com.example.editor", "com.apple.Safari", "tool.log"));
    // Apple's own cache is shown but not ticked.
    EXPECT_THAT(names(store.selectedItems(Module::systemJunk)), UnorderedElementsAre("com.example.editor", "tool.log"));
    const std::int64_t ticked = store.selectedItems(Module::systemJunk)[0].size + store.selectedItems(Module::systemJunk)[1].size;

    store.clean(Module::systemJunk);
    ASSERT_TRUE(runEventsUntil([&] { return store.phase(Module::systemJunk).kind() == ScanPhase::Kind::cleaned; }));
    EXPECT_EQ(store.phase(Module::systemJunk), ScanPhase::cleaned({ticked, 2, 0, true}));
    EXPECT_THAT(names(store.result(Module::systemJunk)->items), UnorderedElementsAre("com.apple.Safari"));
    EXPECT_FALSE(std::filesystem::exists(home / "Library/Caches/com.example.editor"));
    EXPECT_TRUE(std::filesystem::exists(trashFiles / "com.example.editor/blob"));
    EXPECT_TRUE(std::filesystem::exists(trashFiles / "tool.log"));

    store.scan(Module::trash);
    ASSERT_TRUE(runEventsUntil([&] { return store.phase(Module::trash) == ScanPhase::ready(); }));
    EXPECT_THAT(names(store.selectedItems(Module::trash)), UnorderedElementsAre("com.example.editor", "tool.log"));
    store.clean(Module::trash);
    ASSERT_TRUE(runEventsUntil([&] { return store.phase(Module::trash).kind() == ScanPhase::Kind::cleaned; }));
    EXPECT_EQ(store.phase(Module::trash).summary()->itemCount, 2);
    EXPECT_FALSE(store.phase(Module::trash).summary()->movedToTrash);
    EXPECT_TRUE(std::filesystem::is_empty(trashFiles));
    EXPECT_TRUE(std::filesystem::is_empty(trashFiles.parent_path() / "info"));
}

namespace {

// Runs a shell command in `folder` with the test program's environment, whose HOME is the
// isolated home and whose Flatpak system installation is an empty folder of its own. What it says
// on its standard error stays, to tell why it failed.
bool shell(const std::filesystem::path& folder, const std::string& command)
{
    return std::system(("cd '" + folder.string() + "' && " + command + " >/dev/null").c_str()) == 0;
}

// A Flatpak runtime of one file and an application of one script, built and installed for the
// user offline, from a repository in `folder`.
bool installTestFlatpak(const std::filesystem::path& folder)
{
    writeFile(folder / "rt/metadata", "[Runtime]\nname=org.test.Platform\n");
    std::filesystem::create_directories(folder / "rt/files/bin");
    std::filesystem::copy_file("/bin/true", folder / "rt/files/bin/true");
    const std::string install = "flatpak --user install -y --noninteractive test-repo ";
    if (!shell(folder, "flatpak build-export --runtime --files=files repo rt master") ||
        !shell(folder, "flatpak --user remote-add --no-gpg-verify test-repo repo") ||
        !shell(folder, install + "org.test.Platform") ||
        !shell(folder, "flatpak build-init app org.test.App org.test.Platform org.test.Platform master"))
        return false;
    writeFile(folder / "app/files/share/applications/org.test.App.desktop",
              "[Desktop Entry]\nType=Application\nName=Test App\nExec=hello\n");
    writeFile(folder / "app/files/bin/hello", "#!/bin/sh\necho hello\n");
    std::filesystem::permissions(folder / "app/files/bin/hello", std::filesystem::perms::owner_all);
    return shell(folder, "flatpak build-finish app --command=hello") &&
           shell(folder, "flatpak build-export repo app master") && shell(folder, install + "org.test.App");
}

} // namespace

// Cleaning a Flatpak application uninstalls it through Flatpak, and its data goes to the Trash.
TEST_F(StoreCycleTest, AFlatpakAppIsUninstalledThroughFlatpak)
{
    if (std::system("command -v flatpak >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "flatpak is not installed";
    TempTree build;
    ASSERT_TRUE(installTestFlatpak(build.root()));
    write(".var/app/org.test.App/config/settings", 30'000);
    const auto app = home / ".local/share/flatpak/app/org.test.App";
    CleanerStore store(StoreServices::live());

    store.scan(Module::uninstaller);
    ASSERT_TRUE(runEventsUntil([&] { return store.phase(Module::uninstaller) == ScanPhase::ready(); }));
    const auto& items = store.result(Module::uninstaller)->items;
    const auto found = std::ranges::find(items, app, &ScanItem::url);
    ASSERT_NE(found, items.end());
    EXPECT_EQ(found->name, "Test App");
    EXPECT_THAT(found->extraURLs, ::testing::ElementsAre(home / ".var/app/org.test.App"));
    store.setSelected(false, items);
    store.setSelected(true, {*found});

    store.clean(Module::uninstaller);
    ASSERT_TRUE(runEventsUntil([&] { return store.phase(Module::uninstaller).kind() == ScanPhase::Kind::cleaned; }));
    EXPECT_EQ(store.phase(Module::uninstaller).summary()->itemCount, 1);
    EXPECT_FALSE(shell(build.root(), "flatpak --user list --app --columns=application | grep -q org.test.App"));
    EXPECT_TRUE(shell(build.root(), "flatpak --user list --runtime --columns=application | grep -q org.test.Platform"));
    EXPECT_FALSE(std::filesystem::exists(app));
    // Its data went to the Trash, and nothing of the application itself.
    std::vector<std::string> trashed;
    for (const auto& entry : std::filesystem::directory_iterator(trashFiles))
        trashed.push_back(entry.path().filename().string());
    EXPECT_THAT(trashed, ::testing::ElementsAre("org.test.App"));
    EXPECT_TRUE(std::filesystem::exists(trashFiles / "org.test.App/config/settings"));
}

// What a clean moved to the Trash comes back byte for byte, and into its result, through the
// real Trash and the record a later run would read.
TEST_F(StoreCycleTest, UndoPutsACleanedTreeBackByteForByte)
{
    const auto cache = home / "Library/Caches/com.example.editor";
    makeAwkwardTree(cache);
    const auto before = snapshotOf(cache);
    CleanerStore store(StoreServices::live());
    store.scan(Module::systemJunk);
    ASSERT_TRUE(runEventsUntil([&] { return store.phase(Module::systemJunk) == ScanPhase::ready(); }));
    store.clean(Module::systemJunk);
    ASSERT_TRUE(runEventsUntil([&] { return store.phase(Module::systemJunk).kind() == ScanPhase::Kind::cleaned; }));
    ASSERT_FALSE(isPresent(cache));
    ASSERT_TRUE(store.canUndo());

    std::optional<UndoReport> report;
    QObject::connect(&store, &CleanerStore::undoFinished, [&](const UndoReport& r) { report = r; });
    store.undoLastClean();
    ASSERT_TRUE(runEventsUntil([&] { return report.has_value(); }));
    EXPECT_EQ(report->restoredCount(), report->entries.size());
    EXPECT_EQ(snapshotOf(cache), before);
    EXPECT_THAT(names(store.result(Module::systemJunk)->items), ::testing::Contains("com.example.editor"));
    EXPECT_TRUE(std::filesystem::is_empty(trashFiles));
    EXPECT_FALSE(store.canUndo());
}
