#include <cstdlib>

#include <gtest/gtest.h>

#include "platform/desktop/SystemSettings.h"
#include "support/IsolatedHome.h"
#include "support/TempTree.h"
#include "services/LowSpaceAlert.h"
#include "services/MemoryInfo.h"
#include "services/StorageInfo.h"
#include "services/SystemAccess.h"

namespace fs = std::filesystem;

namespace {

// Points HOME elsewhere for one test.
class HomeOverride {
public:
    explicit HomeOverride(const fs::path& home) : saved_(isolatedHome()) { ::setenv("HOME", home.c_str(), 1); }
    ~HomeOverride() { ::setenv("HOME", saved_.c_str(), 1); }

private:
    fs::path saved_;
};

} // namespace

TEST(StorageInfo, TakesEachFigureOrItsFallback)
{
    platform::VolumeFigures figures;
    EXPECT_EQ(StorageInfo::fromFigures(figures), (StorageInfo{"Computer", 0, 0}));

    figures.availableCapacity = 60;
    EXPECT_EQ(StorageInfo::fromFigures(figures).available, 60);
    figures.importantUsageCapacity = 0; // present, though 0: wins over the plain capacity
    EXPECT_EQ(StorageInfo::fromFigures(figures).available, 0);

    figures = {"Data", 500, 40, 30};
    EXPECT_EQ(StorageInfo::fromFigures(figures), (StorageInfo{"Data", 500, 40}));
}

TEST(StorageInfo, ReadsTheHomeVolumeAndFallsBackWhenTheQueryFails)
{
    const auto current = StorageInfo::current();
    EXPECT_GT(current.total, 0);
    EXPECT_GE(current.available, 0);
    EXPECT_LE(current.available, current.total);

    TempTree tree;
    HomeOverride missingHome(tree.path("no/such/home"));
    const auto fallback = StorageInfo::current();
    EXPECT_EQ(fallback, (StorageInfo{"Computer", 0, 0}));
    EXPECT_FALSE(LowSpaceAlert::isAlmostFull(fallback.total, fallback.available));
}

TEST(MemoryInfo, CountsWiredAnonymousAndCompressedPagesLessThePurgeable)
{
    EXPECT_EQ(MemoryInfo::usedBytes({.wired = 100, .internal = 300, .compressor = 50, .purgeable = 400}, 16384,
                                    64'000'000'000),
              2'457'600);
    // Purgeable pages beyond the anonymous ones take nothing more away.
    EXPECT_EQ(MemoryInfo::usedBytes({.wired = 0, .internal = 10, .compressor = 0, .purgeable = 5}, 4096, 1'000'000),
              5 * 4096);
    // Never more than the installed memory, even for counts that would overflow.
    EXPECT_EQ(MemoryInfo::usedBytes({.wired = 100, .internal = 300, .compressor = 50, .purgeable = 0}, 16384, 1'000'000),
              1'000'000);
    EXPECT_EQ(MemoryInfo::usedBytes({.wired = ~0ull / 2}, 16384, 8'000'000'000), 8'000'000'000);
}

TEST(MemoryInfo, ReadsTheInstalledMemoryAndWhatIsInUse)
{
    const auto memory = MemoryInfo::current();
    EXPECT_GT(memory.total, 0);
    EXPECT_GT(memory.used, 0);
    EXPECT_LE(memory.used, memory.total);
}

TEST(SystemAccess, FullDiskAccessIsGrantedUnlessTheTrashCannotBeRead)
{
    const auto trash = emptiedTrash();
    EXPECT_TRUE(SystemAccess::hasFullDiskAccess()); // no Trash yet: nothing is closed
    fs::create_directories(trash);
    EXPECT_TRUE(SystemAccess::hasFullDiskAccess());
    fs::permissions(trash, fs::perms::none);
    EXPECT_FALSE(SystemAccess::hasFullDiskAccess());
    fs::permissions(trash, fs::perms::owner_all);
    // A Trash reached through a link is one the Trash scan refuses to read: access is not granted.
    fs::rename(trash, trash.parent_path() / "elsewhere");
    fs::create_directory_symlink("elsewhere", trash);
    EXPECT_FALSE(SystemAccess::hasFullDiskAccess());
    fs::remove(trash);
    fs::rename(trash.parent_path() / "elsewhere", trash);
}

TEST(SystemAccess, SettingsPanesMapToTheFoldersWhoseAccessTheyGrant)
{
    const auto trash = emptiedTrash();
    const auto home = QUrl::fromLocalFile(QString::fromStdString(isolatedHome().string()));
    // Without a Trash, the nearest folder above it that exists.
    fs::create_directories(trash.parent_path().parent_path());
    EXPECT_EQ(platform::systemSettingsTarget(SystemAccess::fullDiskAccessSettingsURL),
              QUrl::fromLocalFile(QString::fromStdString(trash.parent_path().parent_path().string())));
    fs::create_directories(trash);
    EXPECT_EQ(platform::systemSettingsTarget(SystemAccess::fullDiskAccessSettingsURL),
              QUrl::fromLocalFile(QString::fromStdString(trash.parent_path().string())));
    EXPECT_EQ(platform::systemSettingsTarget(SystemAccess::filesAndFoldersSettingsURL), home);

    EXPECT_FALSE(platform::systemSettingsTarget("x-apple.systempreferences:com.apple.preference.security?Privacy_Camera"));
    EXPECT_FALSE(platform::systemSettingsTarget("not a url"));
    EXPECT_FALSE(platform::systemSettingsTarget(""));
    EXPECT_EQ(platform::systemSettingsTarget("https://example.org/help"), QUrl("https://example.org/help"));
    SystemAccess::openSettings("not a url"); // ignored quietly
}
