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

void setApplicationFoldersForTesting(std::filesystem::path applications, std::filesystem::path systemApplications)
{
    testAnswers().applications = std::move(applications);
    testAnswers().systemApplications = std::move(systemApplications);
}

void setFullDiskAccessForTesting(bool granted) { testAnswers().fullDiskAccess = granted; }

void setNowForTesting(Date now) { testAnswers().now = now; }

void resetSystemAnswersForTesting() { testAnswers() = {}; }

} // namespace DiskScanner
