#include "scan/routines/Uninstaller.h"

#include <algorithm>
#include <map>
#include <set>
#include <string>

#include "platform/DesktopEntries.h"
#include "platform/FileExists.h"
#include "platform/LastUsedDate.h"
#include "platform/OwnBundleIdentifier.h"
#include "platform/PlainName.h"
#include "platform/WellKnownFolders.h"
#include "scan/DiskScanner.h"
#include "scan/Measure.h"
#include "scan/apps/InstalledApps.h"
#include "scan/apps/LinuxApps.h"
#include "scan/apps/SupportFileUsers.h"
#include "scan/OldAge.h"
#include "scan/SystemAnswers.h"
#include "scan/Text.h"

namespace DiskScanner {

namespace {

namespace Folders = platform::WellKnownFolders;

struct RelatedPath {
    std::string_view folder;
    enum { identifier, name } key;
    std::string_view suffix = {};
};

constexpr RelatedPath relatedPaths[] = {
    {Folders::applicationSupport, RelatedPath::identifier},
    {Folders::applicationSupport, RelatedPath::name},
    {Folders::caches, RelatedPath::identifier},
    {Folders::caches, RelatedPath::name},
    {Folders::preferences, RelatedPath::identifier, ".plist"},
    {Folders::savedApplicationState, RelatedPath::identifier, ".savedState"},
    {Folders::httpStorages, RelatedPath::identifier},
    {Folders::httpStorages, RelatedPath::identifier, ".binarycookies"},
    {Folders::webKit, RelatedPath::identifier},
    {Folders::logs, RelatedPath::identifier},
    {Folders::logs, RelatedPath::name},
    {Folders::launchAgents, RelatedPath::identifier, ".plist"},
};

std::string detailFor(std::size_t relatedCount)
{
    if (relatedCount == 0)
        return "App";
    return "App + " + std::to_string(relatedCount) + " related item" + (relatedCount == 1 ? "" : "s");
}

std::vector<ScanItem::Tag> tagsFor(bool running, const OptionalDate& lastUsed, Date cutoff)
{
    std::vector<ScanItem::Tag> tags;
    if (running)
        tags.push_back(ScanItem::Tag::running);
    if (lastUsed && *lastUsed < cutoff)
        tags.push_back(ScanItem::Tag::old);
    return tags;
}

// Every place relatedFiles looks at, whether anything is there or not.
std::vector<std::filesystem::path> relatedLocations(std::string_view bundleID, std::string_view appName,
                                                    bool includeContainers)
{
    std::vector<std::filesystem::path> locations;
    for (const RelatedPath& related : relatedPaths) {
        // Read from a bundle, an identifier could be anything: "../../Documents" would lead to
        // the user's documents.
        const std::string_view key = related.key == RelatedPath::identifier ? bundleID : appName;
        if (platform::isPlainName(key))
            locations.push_back(home() / related.folder / (std::string(key) + std::string(related.suffix)));
    }
    if (includeContainers && platform::isPlainName(bundleID))
        locations.push_back(home() / Folders::containers / bundleID);
    return locations;
}

AppFiles bundleFiles(const platform::AppBundle& bundle)
{
    return {bundle.location, bundle.identifier,
            relatedLocations(bundle.identifier, bundle.location.stem().string(), true)};
}

AppFiles linuxAppFiles(const LinuxApp& app) { return {app.location, app.identifier, app.relatedLocations}; }

// Who may use which support files: the installed bundles and Linux applications, and every
// application the desktop has an entry for.
SupportFileUsers supportFileUsers(const std::vector<platform::AppBundle>& bundles,
                                  const std::vector<LinuxApp>& linuxApps)
{
    std::vector<AppFiles> apps;
    std::ranges::transform(bundles, std::back_inserter(apps), bundleFiles);
    std::ranges::transform(linuxApps, std::back_inserter(apps), linuxAppFiles);
    std::vector<platform::DesktopEntry> entries;
    if constexpr (Folders::linuxPlaces)
        entries = platform::desktopEntries(applicationDataFolders());
    return SupportFileUsers(apps, entries);
}

std::vector<std::filesystem::path> existing(const std::vector<std::filesystem::path>& locations)
{
    std::vector<std::filesystem::path> found;
    std::ranges::copy_if(locations, std::back_inserter(found),
                         [](const auto& path) { return platform::fileExists(path); });
    return found;
}

Candidate linuxAppCandidate(const LinuxApp& app, const SupportFileUsers& users,
                            const std::set<std::string, std::less<>>& running, Date cutoff)
{
    auto related = existing(app.relatedLocations);
    std::erase_if(related, [&](const auto& file) {
        return users.usedByAnother(app.location, app.identifier, file, app.desktopEntries);
    });
    const bool isFlatpak = app.kind == LinuxApp::Kind::flatpak;
    return Candidate{
        .url = app.location,
        .name = app.name,
        .detail = detailFor(related.size()),
        .tags = tagsFor(running.contains(app.identifier), app.lastUsed, cutoff),
        .isRecommended = false,
        .date = app.lastUsed,
        .iconURL = app.desktopEntries.empty() ? std::nullopt : std::optional(app.desktopEntries.front()),
        .extraURLs = std::move(related),
        .bundleID = app.identifier,
        .removal = isFlatpak ? ScanItem::Removal::flatpakUninstall : ScanItem::Removal::files,
    };
}

} // namespace

std::vector<std::filesystem::path> relatedFiles(std::string_view bundleID, std::string_view appName,
                                                bool includeContainers)
{
    std::vector<std::filesystem::path> candidates = relatedLocations(bundleID, appName, includeContainers);
    std::vector<std::filesystem::path> existing;
    std::set<std::string> seen;
    for (auto& path : candidates) {
        if (seen.insert(Text::lowercased(path.native())).second && platform::fileExists(path))
            existing.push_back(std::move(path));
    }
    return existing;
}

CategoryResult uninstaller(const ProgressSink& progress)
{
    const bool includeContainers = hasFullDiskAccess();
    const auto running = runningApplications();
    const Date cutoff = now() - oldAfter;

    // Files another installed application may use too are offered with neither, so that no
    // item takes what stays and none is counted twice.
    const auto linuxApps = installedLinuxApps();
    const SupportFileUsers users = supportFileUsers(installedBundles(true), linuxApps);
    std::vector<Candidate> candidates;
    for (const platform::AppBundle& app : installedBundles(false)) {
        const std::string& identifier = app.identifier;
        if (identifier.starts_with("com.apple.") || identifier == platform::ownBundleIdentifier)
            continue;
        std::string name = app.location.stem().string();
        auto related = relatedFiles(identifier, name, includeContainers);
        std::erase_if(related,
                      [&](const auto& file) { return users.usedByAnother(app.location, identifier, file, {}); });
        const OptionalDate lastUsed = platform::lastUsedDate(app);
        candidates.push_back(Candidate{
            .url = app.location,
            .name = std::move(name),
            .detail = detailFor(related.size()),
            .tags = tagsFor(running.contains(identifier), lastUsed, cutoff),
            .isRecommended = false,
            .date = lastUsed,
            .iconURL = app.location,
            .extraURLs = std::move(related),
            .bundleID = identifier,
        });
    }
    for (const LinuxApp& app : linuxApps) {
        if (app.identifier != platform::ownBundleIdentifier)
            candidates.push_back(linuxAppCandidate(app, users, running, cutoff));
    }
    return {measure(std::move(candidates), progress), false};
}

std::vector<ScanItem> withoutFilesOfStayingApps(std::vector<ScanItem> items)
{
    if (std::ranges::all_of(items, [](const ScanItem& item) { return item.extraURLs.empty(); }))
        return items;
    std::set<std::filesystem::path> leaving;
    for (const ScanItem& item : items)
        leaving.insert(item.url);
    std::vector<platform::AppBundle> staying = installedBundles(true);
    std::erase_if(staying, [&](const platform::AppBundle& bundle) { return leaving.contains(bundle.location); });
    std::vector<LinuxApp> linuxApps = installedLinuxApps();
    // What starts an application that goes names nothing that stays.
    std::vector<std::filesystem::path> leavingEntries;
    for (const LinuxApp& app : linuxApps) {
        if (leaving.contains(app.location))
            leavingEntries.insert(leavingEntries.end(), app.desktopEntries.begin(), app.desktopEntries.end());
    }
    std::erase_if(linuxApps, [&](const LinuxApp& app) { return leaving.contains(app.location); });
    const SupportFileUsers users = supportFileUsers(staying, linuxApps);
    for (ScanItem& item : items) {
        std::erase_if(item.extraURLs, [&](const auto& extra) {
            return users.usedByAnother(item.url, item.bundleID.value_or(""), extra, leavingEntries);
        });
    }
    return items;
}

} // namespace DiskScanner
