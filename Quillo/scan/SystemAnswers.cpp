#include "scan/SystemAnswers.h"

#include <optional>

#include "platform/FullDiskAccess.h"
#include "platform/WellKnownFolders.h"
#include "scan/DiskScanner.h"

namespace DiskScanner {

namespace {

struct TestAnswers {
    std::optional<std::filesystem::path> applications;
    std::optional<std::filesystem::path> systemApplications;
    std::optional<bool> fullDiskAccess;
    OptionalDate now;
    std::optional<std::vector<std::filesystem::path>> applicationDataFolders;
    std::optional<std::vector<platform::MountedFileSystem>> mounts;
    std::optional<std::vector<platform::FlatpakApp>> flatpakApps;
};

TestAnswers& testAnswers()
{
    static TestAnswers answers;
    return answers;
}

} // namespace

std::vector<std::filesystem::path> applicationRoots(bool includingSystem)
{
    namespace Folders = platform::WellKnownFolders;
    const TestAnswers& test = testAnswers();
    std::vector<std::filesystem::path> roots{
        test.applications.value_or(std::filesystem::path(Folders::applications)),
        home() / Folders::userApplications,
    };
    if (includingSystem)
        roots.push_back(test.systemApplications.value_or(std::filesystem::path(Folders::systemApplications)));
    return roots;
}

bool hasFullDiskAccess()
{
    if (testAnswers().fullDiskAccess)
        return *testAnswers().fullDiskAccess;
    return platform::hasFullDiskAccess();
}

Date now() { return testAnswers().now.value_or(std::chrono::system_clock::now()); }

std::vector<std::filesystem::path> applicationDataFolders()
{
    if (testAnswers().applicationDataFolders)
        return *testAnswers().applicationDataFolders;
    return platform::WellKnownFolders::applicationDataFolders(home());
}

std::vector<platform::MountedFileSystem> mountedFileSystems()
{
    if (testAnswers().mounts)
        return *testAnswers().mounts;
    return platform::mountedFileSystemsForScans();
}

std::vector<platform::FlatpakApp> flatpakApps()
{
    if (testAnswers().flatpakApps)
        return *testAnswers().flatpakApps;
    return platform::installedFlatpakApps();
}

void setApplicationFoldersForTesting(std::filesystem::path applications, std::filesystem::path systemApplications)
{
    testAnswers().applications = std::move(applications);
    testAnswers().systemApplications = std::move(systemApplications);
}

void setFullDiskAccessForTesting(bool granted) { testAnswers().fullDiskAccess = granted; }

void setNowForTesting(Date now) { testAnswers().now = now; }

void setApplicationDataFoldersForTesting(std::vector<std::filesystem::path> folders)
{
    testAnswers().applicationDataFolders = std::move(folders);
}

void setMountedFileSystemsForTesting(std::vector<platform::MountedFileSystem> mounts)
{
    testAnswers().mounts = std::move(mounts);
}

void setFlatpakAppsForTesting(std::vector<platform::FlatpakApp> apps) { testAnswers().flatpakApps = std::move(apps); }

void resetSystemAnswersForTesting() { testAnswers() = {}; }

} // namespace DiskScanner
