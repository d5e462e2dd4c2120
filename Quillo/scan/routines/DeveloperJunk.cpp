#include "scan/routines/DeveloperJunk.h"

#include <array>
#include <optional>

#include "platform/FileExists.h"
#include "platform/WellKnownFolders.h"
#include "scan/DiskScanner.h"
#include "scan/Measure.h"
#include "scan/apps/InstalledApps.h"
#include "scan/routines/DerivedDataLabel.h"
#include "scan/VisibleEntries.h"

namespace DiskScanner {

namespace {

namespace Folders = platform::WellKnownFolders;

constexpr std::string_view xcodeIdentifier = "com.apple.dt.Xcode";

constexpr std::array<std::string_view, 5> deviceSupportPlatforms = {"iOS", "watchOS", "tvOS", "visionOS", "macOS"};

struct ToolCache {
    std::string_view path;
    std::string_view name;
    std::string_view detail;
    bool recommended;
    std::optional<std::string_view> iconBundleID;
};

constexpr ToolCache toolCaches[] = {
    {Folders::simulatorCaches, "Simulator caches", "CoreSimulator", true, "com.apple.iphonesimulator"},
    {Folders::xcodePreviews, "SwiftUI previews", "Xcode preview builds", true, xcodeIdentifier},
    {Folders::xcodeArchives, "Xcode archives", "Needed to symbolicate old crash reports", false, xcodeIdentifier},
    {Folders::gradleCaches, "Gradle caches", "Android build cache", true, "com.google.android.studio"},
    {Folders::npmCache, "npm cache", "Node package cache", true, std::nullopt},
    {Folders::pubCache, "Pub packages", "Flutter & Dart packages, re-downloaded on demand", false, std::nullopt},
    {Folders::cocoaPodsRepos, "CocoaPods specs", "Legacy spec repositories", false, std::nullopt},
};

Candidate rebuildable(std::filesystem::path url, std::string name, std::string detail,
                      const std::optional<std::filesystem::path>& xcode)
{
    return Candidate{
        .url = std::move(url),
        .name = std::move(name),
        .detail = std::move(detail),
        .tags = {ScanItem::Tag::rebuildable},
        .isRecommended = true,
        .date = std::nullopt,
        .iconURL = xcode,
        .extraURLs = {},
        .bundleID = std::nullopt,
    };
}

Candidate toolCacheCandidate(const ToolCache& cache, const platform::ApplicationLookup& applications)
{
    return Candidate{
        .url = home() / cache.path,
        .name = std::string(cache.name),
        .detail = std::string(cache.detail),
        .tags = {cache.recommended ? ScanItem::Tag::rebuildable : ScanItem::Tag::review},
        .isRecommended = cache.recommended,
        .date = std::nullopt,
        .iconURL = cache.iconBundleID ? applications.location(*cache.iconBundleID) : std::nullopt,
        .extraURLs = {},
        .bundleID = std::nullopt,
    };
}

} // namespace

CategoryResult developerJunk(const ProgressSink& progress)
{
    const auto applications = installedApplications();
    const auto xcode = applications.location(xcodeIdentifier);
    std::vector<Candidate> candidates;
    for (const auto& entry : visibleEntries(home() / Folders::derivedData)) {
        DerivedDataLabel label = derivedDataLabel(entry.path);
        candidates.push_back(rebuildable(entry.path, std::move(label.name), std::move(label.detail), xcode));
    }
    for (std::string_view platformName : deviceSupportPlatforms) {
        const auto folder = home() / Folders::xcode / (std::string(platformName) + " DeviceSupport");
        for (const auto& entry : visibleEntries(folder))
            candidates.push_back(rebuildable(entry.path, std::string(platformName) + " " + entry.name,
                                             "Device support files", xcode));
    }
    for (const ToolCache& cache : toolCaches) {
        if (platform::fileExists(home() / cache.path))
            candidates.push_back(toolCacheCandidate(cache, applications));
    }
    return {measure(std::move(candidates), progress), false};
}

} // namespace DiskScanner
