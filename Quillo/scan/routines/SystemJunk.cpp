#include "scan/routines/SystemJunk.h"

#include "platform/OwnBundleIdentifier.h"
#include "platform/WellKnownFolders.h"
#include "scan/apps/AppNames.h"
#include "scan/DiskScanner.h"
#include "scan/Measure.h"
#include "scan/apps/InstalledApps.h"
#include "scan/VisibleEntries.h"

namespace DiskScanner {

namespace {

namespace Folders = platform::WellKnownFolders;

// The development environment's cache rebuilds like any application's.
bool isAppleCache(std::string_view name)
{
    return name.starts_with("com.apple.") && name != "com.apple.dt.Xcode";
}

Candidate junkCandidate(const platform::DirectoryEntry& entry, const platform::ApplicationLookup& applications,
                        std::string detail, bool isAppleCache)
{
    AppNames::App app = AppNames::app(entry.name, applications);
    return Candidate{
        .url = entry.path,
        .name = std::move(app.name),
        .detail = std::move(detail),
        .tags = {isAppleCache ? ScanItem::Tag::system : ScanItem::Tag::rebuildable},
        .isRecommended = !isAppleCache,
        .date = std::nullopt,
        .iconURL = std::move(app.url),
        .extraURLs = {},
        .bundleID = std::nullopt,
    };
}

} // namespace

CategoryResult systemJunk(const ProgressSink& progress)
{
    const auto applications = installedApplications();
    std::vector<Candidate> candidates;
    for (const auto& entry : visibleEntries(home() / Folders::caches)) {
        if (protectedCaches().contains(entry.name) || entry.name == platform::ownBundleIdentifier)
            continue;
        candidates.push_back(junkCandidate(entry, applications, "App cache", isAppleCache(entry.name)));
    }
    for (const auto& entry : visibleEntries(home() / Folders::logs))
        candidates.push_back(junkCandidate(entry, applications, "Log files", false));
    return {measure(std::move(candidates), progress), false};
}

} // namespace DiskScanner
