#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <thread>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/FixtureHome.h"
#include "platform/OwnBundleIdentifier.h"
#include "scan/SystemAnswers.h"
#include "scan/apps/InstalledApps.h"
#include "scan/routines/Uninstaller.h"
#include "support/FakeAppBundle.h"
#include "support/TempTree.h"

using ::testing::ElementsAre;
using Tag = ScanItem::Tag;

namespace {

std::int64_t secondsSinceEpoch(Date date)
{
    return std::chrono::duration_cast<std::chrono::seconds>(date.time_since_epoch()).count();
}

} // namespace

TEST(Uninstaller, OffersThirdPartyAppsWithTheirSupportFiles)
{
    FixtureHome home;
    const auto editor = makeAppBundle(home.applications("Editor.app"), "com.vendor.editor");
    const auto support = home.file("Library/Application Support/com.vendor.editor/state", 20'000);
    const auto cache = home.file("Library/Caches/Editor/blob", 30'000);
    const auto preferences = home.file("Library/Preferences/com.vendor.editor.plist", 100);
    const auto container = home.file("Library/Containers/com.vendor.editor/data", 100);
    home.file("Library/Preferences/com.vendor.other.plist", 100);
    makeAppBundle(home.applications("Safari.app"), "com.apple.Safari");
    makeAppBundle(home.applications("Quillo.app"), platform::ownBundleIdentifier);
    makeAppBundle(home.systemApplications("Tool.app"), "com.vendor.systemtool");

    const CategoryResult result = DiskScanner::uninstaller(ProgressSink());
    EXPECT_FALSE(result.accessDenied);
    ASSERT_EQ(result.items.size(), 1u);
    const ScanItem& item = result.items[0];
    EXPECT_EQ(item.url, editor);
    EXPECT_EQ(item.detail, "App + 4 related items");
    EXPECT_THAT(item.extraURLs, ElementsAre(support.parent_path(), cache.parent_path(), preferences,
                                            container.parent_path()));
    EXPECT_EQ(item.bundleID, "com.vendor.editor");
    EXPECT_FALSE(item.isRecommended);
    EXPECT_EQ(item.size, allocatedSizeOf(editor / "Contents/Info.plist") +
                             allocatedSizeOf(editor / "Contents/MacOS/Editor") + allocatedSizeOf(support) +
                             allocatedSizeOf(cache) + allocatedSizeOf(preferences) + allocatedSizeOf(container));
}

// A folder named like the identifier but for case is one related item, counted and sized once.
TEST(Uninstaller, RelatedItemsAreTakenOnceEach)
{
    FixtureHome home;
    makeAppBundle(home.applications("com.example.Tool.app"), "com.example.tool");
    home.folder("Library/Application Support/com.example.tool");
    home.file("Library/Application Support/com.example.tool/a", 100);
    home.file("Library/Application Support/com.example.Tool/b", 100);
    const CategoryResult result = DiskScanner::uninstaller(ProgressSink());
    ASSERT_EQ(result.items.size(), 1u);
    EXPECT_EQ(result.items[0].detail, "App + 1 related item");
    EXPECT_THAT(result.items[0].extraURLs, ElementsAre(home.path("Library/Application Support/com.example.tool")));
}

TEST(Uninstaller, TagsRunningThenOldAndNeverRecommends)
{
    FixtureHome home;
    const auto stale = makeAppBundle(home.applications("Stale.app"), "com.vendor.stale");
    const auto recent = makeAppBundle(home.path("Applications/Recent.app"), "com.vendor.recent");
    const auto unknown = makeAppBundle(home.applications("Unknown.app"), "com.vendor.unknown");
    std::filesystem::remove(unknown / "Contents/MacOS/Unknown");
    setAccessTime(stale / "Contents/MacOS/Stale", secondsSinceEpoch(daysAgo(181)));
    setAccessTime(recent / "Contents/MacOS/Recent", secondsSinceEpoch(daysAgo(179)));
    DiskScanner::setRunningApplicationsForTesting({"com.vendor.stale", "com.vendor.recent"});

    const CategoryResult result = DiskScanner::uninstaller(ProgressSink());
    ASSERT_EQ(result.items.size(), 3u);
    const ScanItem* staleItem = findItem(result, stale);
    EXPECT_THAT(staleItem->tags, ElementsAre(Tag::running, Tag::old));
    EXPECT_EQ(staleItem->date, daysAgo(181));
    EXPECT_THAT(findItem(result, recent)->tags, ElementsAre(Tag::running));
    // No last-used date: no `old`, and the bundle's modification date stands in.
    const ScanItem* unknownItem = findItem(result, unknown);
    EXPECT_TRUE(unknownItem->tags.empty());
    ASSERT_TRUE(unknownItem->date);
    EXPECT_GT(*unknownItem->date, daysAgo(1));
    for (const ScanItem& item : result.items)
        EXPECT_FALSE(item.isRecommended);
}

TEST(Uninstaller, ContainersOnlyWithFullDiskAccess)
{
    FixtureHome home;
    makeAppBundle(home.applications("Editor.app"), "com.vendor.editor");
    home.file("Library/Containers/com.vendor.editor/data", 100);
    DiskScanner::setFullDiskAccessForTesting(false);

    const CategoryResult result = DiskScanner::uninstaller(ProgressSink());
    ASSERT_EQ(result.items.size(), 1u);
    EXPECT_TRUE(result.items[0].extraURLs.empty());
    EXPECT_EQ(result.items[0].detail, "App");
    EXPECT_FALSE(result.accessDenied);
}

TEST(Uninstaller, IdentifiersNeverLeadOutOfTheLibraryFolders)
{
    FixtureHome home;
    home.file("Documents/thesis.tex", 100);
    home.file("Library/Preferences/...plist", 100);
    // "Application Support/../../Documents" would be the user's documents.
    EXPECT_TRUE(DiskScanner::relatedFiles("../../Documents", "..", true).empty());
    EXPECT_TRUE(DiskScanner::relatedFiles("..", "", true).empty());
    EXPECT_TRUE(DiskScanner::relatedFiles("com.vendor/../..", "a/../..", true).empty());
}

TEST(Uninstaller, FilesAnotherInstalledAppMayUseGoWithNeither)
{
    FixtureHome home;
    // Two copies of one app: its support files serve the copy that stays.
    const auto editor = makeAppBundle(home.path("Applications/Editor.app"), "com.vendor.editor");
    const auto oldEditor = makeAppBundle(home.path("Applications/Old/Editor 1.0.app"), "com.vendor.editor");
    home.file("Library/Application Support/com.vendor.editor/state", 20'000);
    home.file("Library/Application Support/Editor 1.0/state", 20'000);
    home.file("Library/Preferences/com.vendor.editor.plist", 100);
    // Two apps of one name: only what the name leads to is shared.
    makeAppBundle(home.applications("Notes.app"), "com.first.notes");
    makeAppBundle(home.path("Applications/Notes.app"), "com.second.notes");
    home.file("Library/Caches/Notes/blob", 30'000);
    const auto ownCache = home.file("Library/Caches/com.first.notes/blob", 30'000);

    const CategoryResult result = DiskScanner::uninstaller(ProgressSink());
    ASSERT_EQ(result.items.size(), 4u);
    for (const auto& copy : {editor, oldEditor}) {
        const ScanItem* item = findItem(result, copy);
        EXPECT_THAT(item->extraURLs, ::testing::IsEmpty());
        EXPECT_EQ(item->detail, "App");
        EXPECT_EQ(item->size, allocatedSizeOf(copy / "Contents/Info.plist") +
                                  allocatedSizeOf(copy / "Contents/MacOS" / copy.stem()));
    }
    EXPECT_THAT(findItem(result, home.applications("Notes.app"))->extraURLs, ElementsAre(ownCache.parent_path()));
    EXPECT_THAT(findItem(result, home.path("Applications/Notes.app"))->extraURLs, ::testing::IsEmpty());
}

namespace {

std::filesystem::path writeDesktopEntry(const std::filesystem::path& file, std::string_view name, std::string_view keys)
{
    return writeFile(file, "[Desktop Entry]\nType=Application\nName=" + std::string(name) + "\n" + std::string(keys));
}

// A shell script serves as an AppImage: only its name tells it is one.
std::filesystem::path writeAppImage(const FixtureHome& home, std::string_view relative)
{
    const auto file = writeFile(home.path(relative), "#!/bin/sh\nexec sleep 60\n");
    std::filesystem::permissions(file, std::filesystem::perms::owner_all);
    return file;
}

// A home with an AppImage, an application unpacked into "~/opt" and a Flatpak, each with a
// launcher and files of its own, and launchers that lead elsewhere.
struct LinuxHome : FixtureHome {
    LinuxHome()
    {
        writeDesktopEntry(path(".local/share/applications/obsidian.desktop"), "Obsidian",
                          "Exec=\"" + obsidian.string() + "\" %U\nIcon=obsidian\n");
        writeDesktopEntry(path(".local/share/applications/tool.desktop"), "Tool",
                          "Exec=" + toolProgram.string() + "\n");
        writeDesktopEntry(flatpakEntry, "Test App", "Exec=/usr/bin/flatpak run org.test.App\nX-Flatpak=org.test.App\n");
        file(".local/share/flatpak/app/org.test.App/current/active/files/bin/hello", 8192);
        DiskScanner::setFlatpakAppsForTesting({{"org.test.App", path(".local/share/flatpak"), std::nullopt}});
        // Launchers of programs elsewhere, or of no folder of their own.
        for (const auto& [id, program] : {std::pair{"editor", std::filesystem::path("/usr/bin/editor")},
                                          {"notes", file("opt/../Documents/notes/run")},
                                          {"direct", file("opt/direct")},
                                          {"bundle", file("Applications/Old.app/Contents/MacOS/Old")}})
            writeDesktopEntry(path(".local/share/applications") / (std::string(id) + ".desktop"), id,
                              "Exec=" + program.string() + "\n");
    }

    const std::filesystem::path obsidian = writeAppImage(*this, "Applications/Obsidian-1.5.3.AppImage");
    const std::filesystem::path toolProgram = file("opt/tool-2.0/bin/tool", 8192);
    const std::filesystem::path flatpakEntry =
        path(".local/share/flatpak/exports/share/applications/org.test.App.desktop");
};

} // namespace

TEST(Uninstaller, LinuxAppsComeWithTheirLaunchersIconsAndFolders)
{
    LinuxHome home;
    const auto icon = home.file(".local/share/icons/hicolor/256x256/apps/obsidian.png");
    const auto settings = home.file(".config/obsidian/obsidian.json").parent_path();
    const auto capitalised = home.file(".local/share/Obsidian/x").parent_path();
    const auto toolCache = home.file(".cache/tool-2.0/x").parent_path();
    const auto flatpakData = home.file(".var/app/org.test.App/config/x").parent_path().parent_path();
    // Not AppImages: deeper down, elsewhere, a link, hidden.
    writeAppImage(home, "Applications/Sub/Deeper.AppImage");
    writeAppImage(home, "Downloads/Fetched.AppImage");
    home.tree().symlink("home/bin/Linked.AppImage", home.obsidian);
    writeAppImage(home, ".local/bin/.Hidden.AppImage");
    const auto script = writeAppImage(home, "bin/script.appimage");

    const CategoryResult result = DiskScanner::uninstaller(ProgressSink());
    ASSERT_EQ(result.items.size(), 4u);
    const ScanItem* obsidian = findItem(result, home.obsidian);
    EXPECT_EQ(obsidian->name, "Obsidian");
    EXPECT_EQ(obsidian->bundleID, "Obsidian-1.5.3.AppImage");
    EXPECT_EQ(obsidian->iconURL, home.path(".local/share/applications/obsidian.desktop"));
    EXPECT_THAT(obsidian->extraURLs, ElementsAre(*obsidian->iconURL, icon, settings, capitalised));
    EXPECT_EQ(obsidian->detail, "App + 4 related items");
    EXPECT_EQ(obsidian->removal, ScanItem::Removal::files);
    EXPECT_EQ(findItem(result, script)->name, "script");

    const ScanItem* tool = findItem(result, home.path("opt/tool-2.0"));
    EXPECT_EQ(tool->name, "Tool");
    EXPECT_EQ(tool->bundleID, "tool");
    EXPECT_THAT(tool->extraURLs, ElementsAre(home.path(".local/share/applications/tool.desktop"), toolCache));

    const ScanItem* flatpak = findItem(result, home.path(".local/share/flatpak/app/org.test.App"));
    EXPECT_EQ(flatpak->name, "Test App");
    EXPECT_EQ(flatpak->bundleID, "org.test.App");
    EXPECT_EQ(flatpak->iconURL, home.flatpakEntry);
    EXPECT_THAT(flatpak->extraURLs, ElementsAre(flatpakData));
    EXPECT_EQ(flatpak->removal, ScanItem::Removal::flatpakUninstall);
    const auto deployed = home.path(".local/share/flatpak/app/org.test.App/current/active/files/bin/hello");
    EXPECT_EQ(flatpak->size, allocatedSizeOf(deployed) + allocatedSizeOf(flatpakData / "config/x"));
}

namespace {

// A real process, started from `program` with `environment`, until the test ends.
class RunningProcess {
public:
    RunningProcess(const std::filesystem::path& program, std::vector<std::string> environment)
    {
        std::string seconds = "60";
        std::string name = program.filename().string();
        char* argv[] = {name.data(), seconds.data(), nullptr};
        std::vector<char*> envp;
        for (auto& setting : environment)
            envp.push_back(setting.data());
        envp.push_back(nullptr);
        started_ = ::posix_spawn(&pid_, program.c_str(), nullptr, nullptr, argv, envp.data()) == 0;
        // Until the new program replaced the test's image, the process runs the test.
        const auto self = std::filesystem::read_symlink("/proc/self/exe");
        const auto exe = "/proc/" + std::to_string(pid_) + "/exe";
        std::error_code error;
        for (int i = 0; started_ && i < 500 && std::filesystem::read_symlink(exe, error) == self; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ~RunningProcess()
    {
        if (started_) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }

    bool started() const { return started_; }

private:
    pid_t pid_ = 0;
    bool started_ = false;
};

} // namespace

// A clean leaves a running application alone: the AppImage a process comes from and the
// home-installed application whose folder holds a process's program must be seen running.
TEST(Uninstaller, LinuxAppsInUseAreTaggedRunning)
{
    LinuxHome home;
    std::filesystem::copy_file("/bin/sleep", home.toolProgram, std::filesystem::copy_options::overwrite_existing);
    DiskScanner::resetRunningApplicationsForTesting();
    const RunningProcess appImage("/bin/sleep", {"APPIMAGE=" + home.obsidian.string()});
    const RunningProcess tool(home.toolProgram, {});
    if (!tool.started())
        GTEST_SKIP() << "cannot run programs from the temporary folder";

    const CategoryResult result = DiskScanner::uninstaller(ProgressSink());
    EXPECT_THAT(findItem(result, home.obsidian)->tags, ElementsAre(Tag::running));
    EXPECT_THAT(findItem(result, home.path("opt/tool-2.0"))->tags, ElementsAre(Tag::running));
    EXPECT_THAT(findItem(result, home.path(".local/share/flatpak/app/org.test.App"))->tags, ::testing::IsEmpty());
}

// What another installed application may use stays: the settings two versions of an AppImage
// share, a folder named after an application the desktop has a launcher for, one the whole
// desktop shares whatever the AppImage is called, and files a version installed since the scan
// shares.
TEST(Uninstaller, ALinuxAppsFilesThatOthersUseGoWithNone)
{
    FixtureHome home;
    const auto obsidian = writeAppImage(home, "Applications/Obsidian-1.5.3.AppImage");
    const auto settings = home.file(".config/obsidian/obsidian.json").parent_path();
    const auto nvim = writeAppImage(home, ".local/bin/nvim.appimage");
    home.file(".config/nvim/init.lua");
    writeDesktopEntry(home.tree().path("usr/share/applications/nvim.desktop"), "Neovim", "Exec=nvim %F\n");
    const auto named = writeAppImage(home, "bin/Flatpak.AppImage");
    home.file(".local/share/flatpak/repo/config");

    const CategoryResult result = DiskScanner::uninstaller(ProgressSink());
    ASSERT_EQ(result.items.size(), 3u);
    EXPECT_THAT(findItem(result, obsidian)->extraURLs, ElementsAre(settings));
    EXPECT_THAT(findItem(result, nvim)->extraURLs, ::testing::IsEmpty());
    EXPECT_THAT(findItem(result, named)->extraURLs, ::testing::IsEmpty());

    const auto newer = writeAppImage(home, "AppImages/Obsidian-1.6.0.AppImage");
    const ScanItem older = *findItem(result, obsidian);
    EXPECT_THAT(DiskScanner::withoutFilesOfStayingApps({older})[0].extraURLs, ::testing::IsEmpty());
    // Both versions going together take their settings along.
    ScanItem newerItem = older;
    newerItem.url = newer;
    EXPECT_THAT(DiskScanner::withoutFilesOfStayingApps({older, newerItem})[0].extraURLs, ElementsAre(settings));
}
