#include "scan/apps/InstalledApps.h"

#include <optional>

#include "platform/FileAttributes.h"
#include "platform/RunningApplications.h"
#include "scan/SystemAnswers.h"
#include "scan/VisibleEntries.h"
#include "scan/apps/LinuxApps.h"

namespace DiskScanner {

namespace {

using platform::DirectoryEntry;

// Case-sensitive, as the system tells bundles by it: "Tool.APP" is an ordinary folder.
bool isAppName(std::string_view name)
{
    constexpr std::string_view extension = ".app";
    return name.size() > extension.size() && name.ends_with(extension);
}

bool isFolder(const DirectoryEntry& entry)
{
    if (entry.type != platform::FileType::unknown)
        return entry.type == platform::FileType::directory;
    auto attributes = platform::readAttributes(entry.path, platform::AttributeKey::type);
    return attributes && attributes->isDirectory();
}

std::optional<std::set<std::string, std::less<>>>& runningForTesting()
{
    static std::optional<std::set<std::string, std::less<>>> answer;
    return answer;
}

} // namespace

std::vector<std::filesystem::path> installedApps(bool includingSystem)
{
    std::vector<std::filesystem::path> apps;
    for (const auto& root : applicationRoots(includingSystem)) {
        for (const DirectoryEntry& entry : visibleEntries(root)) {
            if (isAppName(entry.name)) {
                apps.push_back(entry.path);
            } else if (isFolder(entry)) {
                for (const DirectoryEntry& child : visibleEntries(entry.path)) {
                    if (isAppName(child.name))
                        apps.push_back(child.path);
                }
            }
        }
    }
    return apps;
}

std::vector<platform::AppBundle> installedBundles(bool includingSystem)
{
    std::vector<platform::AppBundle> bundles;
    for (const auto& location : installedApps(includingSystem)) {
        if (auto bundle = platform::openAppBundle(location))
            bundles.push_back(std::move(bundle).value());
    }
    return bundles;
}

platform::ApplicationLookup installedApplications() { return platform::ApplicationLookup(installedBundles(true)); }

std::set<std::string, std::less<>> runningApplications()
{
    if (runningForTesting())
        return *runningForTesting();
    auto running = platform::runningApplicationIdentifiers(installedBundles(true));
    running.merge(platform::runningSandboxedApplications());
    running.merge(runningHomeFolderApps(homeFolderApps(), platform::runningPrograms()));
    return running;
}

void setRunningApplicationsForTesting(std::set<std::string, std::less<>> identifiers)
{
    runningForTesting() = std::move(identifiers);
}

void resetRunningApplicationsForTesting() { runningForTesting().reset(); }

} // namespace DiskScanner
