#include "scan/Uninstaller.h"

#include <set>
#include <string>

#include "platform/FileExists.h"
#include "platform/LastUsedDate.h"
#include "platform/OwnBundleIdentifier.h"
#include "platform/PlainName.h"
#include "platform/WellKnownFolders.h"
#include "scan/DiskScanner.h"
#include "scan/InstalledApps.h"
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

} // namespace

std::vector<std::filesystem::path> relatedFiles(std::string_view bundleID, std::string_view appName,
                                                bool includeContainers)
{
    std::vector<std::filesystem::path> candidates;
    for (const RelatedPath& related : relatedPaths) {
        // Read from a bundle, an identifier could be anything: "../../Documents" would lead to
        // the user's documents.
        const std::string_view key = related.key == RelatedPath::identifier ? bundleID : appName;
        if (platform::isPlainName(key))
            candidates.push_back(home() / related.folder / (std::string(key) + std::string(related.suffix)));
    }
    if (includeContainers && platform::isPlainName(bundleID))
        candidates.push_back(home() / Folders::containers / bundleID);

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

    std::vector<Candidate> candidates;
    for (const platform::AppBundle& app : installedBundles(false)) {
        const std::string& identifier = app.identifier;
        if (identifier.starts_with("com.apple.") || identifier == platform::ownBundleIdentifier)
            continue;
        std::string name = app.location.stem().string();
        auto related = relatedFiles(identifier, name, includeContainers);
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
    return {measure(std::move(candidates), progress), false};
}

} // namespace DiskScanner
