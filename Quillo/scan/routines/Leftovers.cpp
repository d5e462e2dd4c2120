#include "scan/routines/Leftovers.h"

#include <algorithm>
#include <array>
#include <map>
#include <set>

#include "platform/DesktopEntries.h"
#include "platform/DirectoryListing.h"
#include "platform/WellKnownFolders.h"
#include "scan/DiskScanner.h"
#include "scan/Measure.h"
#include "scan/SystemAnswers.h"
#include "scan/apps/BundleIDs.h"
#include "scan/apps/DisplayName.h"
#include "scan/apps/InstalledApps.h"
#include "scan/Text.h"

namespace DiskScanner {

namespace {

namespace folders = platform::WellKnownFolders;

// Where applications keep their support files, in the order they are searched.
constexpr std::array<std::string_view, 6> supportFolders = {
    folders::applicationSupport, folders::preferences, folders::savedApplicationState,
    folders::httpStorages,       folders::webKit,      folders::launchAgents,
};

// Identifiers of Apple's own components: the system keeps those whatever is installed.
constexpr std::string_view appleVendor = "com.apple";

// The folders searched, in order: the Library's support folders, then (Linux) Flatpak's
// application data and the user's settings, data and caches.
std::vector<std::filesystem::path> searchedFolders()
{
    std::vector<std::filesystem::path> searched;
    for (std::string_view folder : supportFolders)
        searched.push_back(home() / folder);
    if constexpr (folders::linuxPlaces) {
        searched.push_back(home() / folders::flatpakApps);
        searched.push_back(folders::userSettings(home()));
        searched.push_back(folders::userData(home()));
        searched.push_back(folders::userCaches(home()));
    }
    return searched;
}

constexpr std::string_view desktopSuffix = ".desktop";

// What installed applications protect: their identifiers and their vendors, in lower case.
// Linux: a Flatpak application's id and the id of every desktop entry are identifiers too.
struct Installed {
    std::set<std::string, std::less<>> identifiers;
    std::set<std::string, std::less<>> vendors;

    explicit Installed(const platform::ApplicationLookup& applications)
    {
        for (const platform::AppBundle& bundle : applications.bundles())
            add(bundle.identifier);
        if constexpr (folders::linuxPlaces) {
            for (const platform::FlatpakApp& app : flatpakApps())
                add(app.id);
            for (const platform::DesktopEntry& entry : platform::desktopEntries(applicationDataFolders())) {
                std::string_view id = entry.id;
                add(id.ends_with(desktopSuffix) ? id.substr(0, id.size() - desktopSuffix.size()) : id);
            }
        }
    }

    void add(std::string_view identifier)
    {
        std::string lower = Text::lowercased(identifier);
        vendors.insert(vendorPrefix(lower));
        identifiers.insert(std::move(lower));
    }

    bool protects(std::string_view identifier) const
    {
        const std::string vendor = vendorPrefix(identifier);
        return vendor == appleVendor || vendors.contains(vendor) || identifiers.contains(Text::lowercased(identifier));
    }
};

using Groups = std::map<std::string, std::vector<std::filesystem::path>>;

Groups leftoverGroups(const Installed& installed)
{
    Groups groups;
    for (const auto& folder : searchedFolders()) {
        auto listing = platform::listDirectory(folder, {.skipHidden = true});
        if (!listing)
            continue;
        for (auto& entry : *listing) {
            auto identifier = bundleID(entry.name);
            if (identifier && !installed.protects(*identifier))
                groups[*identifier].push_back(std::move(entry.path));
        }
    }
    return groups;
}

// Precondition: `locations` is not empty.
Candidate leftoverCandidate(const std::string& identifier, std::vector<std::filesystem::path> locations)
{
    // By the full path as text, so that "Application Support" comes before "Preferences".
    std::ranges::sort(locations, std::less<>(), &std::filesystem::path::native);
    const std::size_t count = locations.size();
    Candidate candidate;
    candidate.url = std::move(locations.front());
    candidate.name = displayName(identifier);
    candidate.detail = identifier + " · " + std::to_string(count) + (count == 1 ? " item" : " items");
    candidate.tags = {ScanItem::Tag::review};
    candidate.extraURLs.assign(std::make_move_iterator(locations.begin() + 1), std::make_move_iterator(locations.end()));
    candidate.bundleID = identifier;
    return candidate;
}

} // namespace

CategoryResult leftovers(const ProgressSink& progress)
{
    const platform::ApplicationLookup applications = installedApplications();
    std::vector<Candidate> candidates;
    for (auto& [identifier, locations] : leftoverGroups(Installed(applications))) {
        // Where the system keeps a registry of applications, it may know one with this very
        // identifier outside the application folders.
        if (!applications.application(identifier))
            candidates.push_back(leftoverCandidate(identifier, std::move(locations)));
    }
    return CategoryResult{measure(std::move(candidates), progress), false};
}

} // namespace DiskScanner
