#include "scan/routines/SystemJunk.h"

#include <algorithm>
#include <array>

#include "platform/DesktopCaches.h"
#include "platform/FileExists.h"
#include "platform/OwnBundleIdentifier.h"
#include "platform/WellKnownFolders.h"
#include "scan/apps/AppNames.h"
#include "scan/DiskScanner.h"
#include "scan/Measure.h"
#include "scan/apps/DesktopApps.h"
#include "scan/apps/InstalledApps.h"
#include "scan/routines/DeveloperJunk.h"
#include "scan/VisibleEntries.h"

namespace DiskScanner {

namespace {

namespace Folders = platform::WellKnownFolders;

// Entries of the user's caches folder that are no cache: the Bluetooth file transfer service
// keeps the files it received there, and Quillo's own cache goes by its name or its identifier.
constexpr std::array<std::string_view, 3> keptUserCaches = {"obexd", "Quillo", platform::ownBundleIdentifier};

// Where each sandboxed application keeps its cache: (folder of the applications, cache within).
constexpr std::array<std::pair<std::string_view, std::string_view>, 2> sandboxedAppCaches = {{
    {Folders::flatpakApps, Folders::flatpakAppCache},
    {Folders::snapApps, Folders::snapAppCache},
}};

// The development environment's cache rebuilds like any application's.
bool isAppleCache(std::string_view name)
{
    return name.starts_with("com.apple.") && name != "com.apple.dt.Xcode";
}

// What a routine needs to name folders after their applications, looked up once per scan.
struct Owners {
    platform::ApplicationLookup applications = installedApplications();
    DesktopApps desktopApps = Folders::linuxPlaces ? installedDesktopApps() : DesktopApps();
};

Candidate junkCandidate(const platform::DirectoryEntry& entry, const Owners& owners, std::string detail,
                        bool isSystemCache)
{
    AppNames::App app = AppNames::app(entry.name, owners.applications, owners.desktopApps);
    return Candidate{
        .url = entry.path,
        .name = std::move(app.name),
        .detail = std::move(detail),
        .tags = {isSystemCache ? ScanItem::Tag::system : ScanItem::Tag::rebuildable},
        .isRecommended = !isSystemCache,
        .date = std::nullopt,
        .iconURL = std::move(app.url),
        .extraURLs = {},
        .bundleID = std::nullopt,
    };
}

// Of a Linux home: every entry of the caches folder, as for the library's, but those that are
// no cache and those Developer Junk offers. The desktop's own caches are shown, not recommended.
void addUserCaches(std::vector<Candidate>& candidates, const Owners& owners)
{
    const auto caches = Folders::userCaches(home());
    if (caches == home() / Folders::caches)
        return;
    for (const auto& entry : visibleEntries(caches)) {
        if (std::ranges::find(keptUserCaches, entry.name) != keptUserCaches.end() || holdsDeveloperCache(entry.path))
            continue;
        candidates.push_back(junkCandidate(entry, owners, "App cache", platform::isDesktopCache(entry.name)));
    }
}

// One item per Flatpak or Snap application's cache, which carries the application's id (its snap
// name for Snap), so that a clean leaves the cache of a running one alone.
void addSandboxedAppCaches(std::vector<Candidate>& candidates, const Owners& owners)
{
    for (const auto& [apps, cacheWithin] : sandboxedAppCaches) {
        for (const auto& app : visibleEntries(home() / apps)) {
            const auto cache = app.path / cacheWithin;
            if (!platform::fileExists(cache))
                continue;
            const platform::DesktopEntry* entry = owners.desktopApps.forFolder(app.name);
            candidates.push_back(Candidate{
                .url = cache,
                .name = entry ? entry->name : app.name,
                .detail = "App cache",
                .tags = {ScanItem::Tag::rebuildable},
                .isRecommended = true,
                .date = std::nullopt,
                .iconURL = entry ? std::optional(entry->file) : std::nullopt,
                .extraURLs = {},
                .bundleID = app.name,
            });
        }
    }
}

bool isXorgLog(std::string_view name) { return name.ends_with(".log") || name.ends_with(".log.old"); }

// The X server's logs of past sessions and the previous session's error log.
void addXorgLogs(std::vector<Candidate>& candidates, const Owners& owners)
{
    for (const auto& entry : visibleEntries(home() / Folders::xorgLogs)) {
        if (isXorgLog(entry.name))
            candidates.push_back(junkCandidate(entry, owners, "Log files", false));
    }
    const std::string errors(Folders::previousSessionErrors);
    if (platform::fileExists(home() / errors))
        candidates.push_back(junkCandidate({home() / errors, errors}, owners, "Log files", false));
}

} // namespace

CategoryResult systemJunk(const ProgressSink& progress)
{
    const Owners owners;
    std::vector<Candidate> candidates;
    for (const auto& entry : visibleEntries(home() / Folders::caches)) {
        if (protectedCaches().contains(entry.name) || entry.name == platform::ownBundleIdentifier)
            continue;
        candidates.push_back(junkCandidate(entry, owners, "App cache", isAppleCache(entry.name)));
    }
    if constexpr (Folders::linuxPlaces) {
        addUserCaches(candidates, owners);
        addSandboxedAppCaches(candidates, owners);
    }
    for (const auto& entry : visibleEntries(home() / Folders::logs))
        candidates.push_back(junkCandidate(entry, owners, "Log files", false));
    if constexpr (Folders::linuxPlaces)
        addXorgLogs(candidates, owners);
    return {measure(std::move(candidates), progress), false};
}

} // namespace DiskScanner
