#include "scan/routines/DeveloperJunk.h"

#include <array>
#include <optional>
#include <span>

#include "platform/FileExists.h"
#include "platform/WellKnownFolders.h"
#include "scan/DiskScanner.h"
#include "scan/Measure.h"
#include "scan/UserFiles.h"
#include "scan/apps/InstalledApps.h"
#include "scan/routines/BuildFolders.h"
#include "scan/routines/DerivedDataLabel.h"
#include "scan/VisibleEntries.h"

namespace DiskScanner {

namespace {

namespace Folders = platform::WellKnownFolders;

constexpr std::string_view xcodeIdentifier = "com.apple.dt.Xcode";

constexpr std::array<std::string_view, 5> deviceSupportPlatforms = {"iOS", "watchOS", "tvOS", "visionOS", "macOS"};

struct ToolCache {
    // As WellKnownFolders::inHome spells it.
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

constexpr std::string_view pythonPackages = "Python packages, re-downloaded on demand";
constexpr std::string_view reDownloaded = "Re-downloaded on demand";

// Where the tools of a Linux home keep what they can fetch or build again.
constexpr ToolCache linuxToolCaches[] = {
    {Folders::pipCache, "pip cache", pythonPackages, true, std::nullopt},
    {Folders::uvCache, "uv cache", pythonPackages, true, std::nullopt},
    {Folders::poetryCache, "Poetry cache", pythonPackages, true, std::nullopt},
    {Folders::yarnCache, "Yarn cache", "Node package cache", true, std::nullopt},
    {Folders::npxCache, "npx cache", "Packages run once with npx", true, std::nullopt},
    {Folders::pnpmStore, "pnpm store", "Shared by your projects' node_modules", false, std::nullopt},
    {Folders::goBuildCache, "Go build cache", "Compiled Go packages", true, std::nullopt},
    {Folders::goModuleDownloads, "Go module downloads", reDownloaded, true, std::nullopt},
    {Folders::cargoDownloads, "Cargo downloads", "Rust crates, re-downloaded on demand", true, std::nullopt},
    {Folders::cargoSources, "Cargo sources", "Unpacked crates, re-extracted on demand", true, std::nullopt},
    {Folders::cargoGitCheckouts, "Cargo git checkouts", "Git dependencies of your crates", false, std::nullopt},
    {Folders::mavenRepository, "Maven repository", "Java libraries, re-downloaded on demand", false, std::nullopt},
    {Folders::gradleDistributions, "Gradle distributions", "Gradle versions your wrappers use", true, std::nullopt},
    {Folders::jetBrainsCaches, "JetBrains caches", "IDE indexes and caches", true, std::nullopt},
    {Folders::vsCodeCache, "VS Code cache", "Editor cache", true, std::nullopt},
    {Folders::vsCodeCompiledCode, "VS Code compiled code", "Rebuilt when the editor starts", true, std::nullopt},
    {Folders::ccache, "ccache", "Compiler cache", true, std::nullopt},
    {Folders::bazelCache, "Bazel cache", "Build outputs and downloads", true, std::nullopt},
    {Folders::nodeGypHeaders, "node-gyp headers", reDownloaded, true, std::nullopt},
    {Folders::huggingFaceCache, "Hugging Face cache", "Models and data sets, re-downloaded on demand", false,
     std::nullopt},
    {Folders::playwrightBrowsers, "Playwright browsers", reDownloaded, false, std::nullopt},
};

// Of the search for build folders: the share of the routine's progress it takes before the
// measuring, which then fills the rest.
constexpr double buildFolderSearchShare = 0.5;

std::span<const ToolCache> linuxRows()
{
    if constexpr (Folders::linuxPlaces)
        return linuxToolCaches;
    return {};
}

std::vector<std::filesystem::path> toolCacheLocations()
{
    std::vector<std::filesystem::path> locations;
    for (const auto& rows : {std::span<const ToolCache>(toolCaches), linuxRows()}) {
        for (const ToolCache& cache : rows)
            locations.push_back(Folders::inHome(home(), cache.path));
    }
    return locations;
}

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
        .url = Folders::inHome(home(), cache.path),
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

// Named after the project that holds it; rebuilt by the next build, but that build is slow, so
// it is the user's to tick.
Candidate buildFolderCandidate(const std::filesystem::path& folder)
{
    const auto project = folder.parent_path();
    return Candidate{
        .url = folder,
        .name = project.filename().string(),
        .detail = "Build folder · " + abbreviatedPath(project),
        .tags = {ScanItem::Tag::rebuildable},
        .isRecommended = false,
        .date = std::nullopt,
        .iconURL = std::nullopt,
        .extraURLs = {},
        .bundleID = std::nullopt,
    };
}

// The user's projects, searched for tagged build folders. The tool caches and the caches folder
// hold tagged folders of their own (ccache and fontconfig tag theirs), offered here or by System
// Junk as a whole.
std::vector<Candidate> buildFolderCandidates(const ProgressSink& progress)
{
    const auto roots = userContentRoots();
    auto leftOut = toolCacheLocations();
    leftOut.push_back(Folders::userCaches(home()));
    auto searched = [&](const std::filesystem::path& root, std::size_t finished) {
        const double searchedShare = static_cast<double>(finished) / static_cast<double>(roots.size());
        progress(ScanProgress{0, abbreviatedPath(root), buildFolderSearchShare * searchedShare});
    };
    std::vector<Candidate> candidates;
    for (const auto& folder : taggedBuildFolders(roots, leftOut, searched, progress))
        candidates.push_back(buildFolderCandidate(folder));
    return candidates;
}

// Measuring fills the progress that the search left.
ProgressSink afterSearch(const ProgressSink& progress)
{
    return progress.reportingTo([&progress](const ScanProgress& report) {
        progress(ScanProgress{report.foundBytes, report.path,
                              buildFolderSearchShare + (1 - buildFolderSearchShare) * report.fraction});
    });
}

} // namespace

bool holdsDeveloperCache(const std::filesystem::path& location)
{
    const auto folder = location.lexically_normal();
    for (const auto& cache : toolCacheLocations()) {
        const auto normal = cache.lexically_normal();
        auto [folderEnd, cacheIt] = std::mismatch(folder.begin(), folder.end(), normal.begin(), normal.end());
        if (folderEnd == folder.end())
            return true;
    }
    return false;
}

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
    for (const auto& rows : {std::span<const ToolCache>(toolCaches), linuxRows()}) {
        for (const ToolCache& cache : rows) {
            if (platform::fileExists(Folders::inHome(home(), cache.path)))
                candidates.push_back(toolCacheCandidate(cache, applications));
        }
    }
    if constexpr (!Folders::linuxPlaces)
        return {measure(std::move(candidates), progress), false};
    std::ranges::move(buildFolderCandidates(progress), std::back_inserter(candidates));
    return {measure(std::move(candidates), afterSearch(progress)), false};
}

} // namespace DiskScanner
