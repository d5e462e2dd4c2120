#include "ui/screenshots/ScreenFixtures.h"

#include <chrono>
#include <fstream>
#include <string>

namespace ScreenFixtures {

namespace {

using namespace std::chrono_literals;

struct Sample {
    const char* name;
    const char* detail;
    const char* path;
    std::int64_t size;
    int daysAgo; // negative: no date
    std::vector<ScanItem::Tag> tags;
    bool recommended;
};

std::vector<Sample> samples(Module module)
{
    using T = ScanItem::Tag;
    switch (module) {
    case Module::trash:
        return {{"Holiday photos (copy).zip", "Trash", "~/.local/share/Trash/files/Holiday photos (copy).zip",
                 1'840'000'000, 12, {T::archive}, true},
                {"old-installer.deb", "Trash", "~/.local/share/Trash/files/old-installer.deb", 212'000'000, 3, {}, true},
                {"draft-v2.odt", "Trash", "~/.local/share/Trash/files/draft-v2.odt", 48'000, 1, {}, true}};
    case Module::largeFiles:
        return {{"Ubuntu 24.04 Desktop.iso", "~/Downloads", "~/Downloads/ubuntu.iso", 6'100'000'000, 220, {T::old}, false},
                {"Screen recording 2024-03-11.mkv", "~/Videos", "~/Videos/rec.mkv", 2'450'000'000, 81, {T::review}, false},
                {"dataset-final.csv", "~/Projects/analysis", "~/Projects/analysis/dataset-final.csv", 1'020'000'000, 9,
                 {T::review}, false}};
    case Module::downloads:
        return {{"code_1.89.1-1715060508_amd64.deb", "~/Downloads", "~/Downloads/code.deb", 104'000'000, 45,
                 {T::installer, T::old}, true},
                {"fonts-2023.tar.zst", "~/Downloads", "~/Downloads/fonts.tar.zst", 58'000'000, 120, {T::archive, T::old},
                 true}};
    case Module::developerJunk:
        return {{"Quillo (build)", "~/Projects/quillo/build", "~/Projects/quillo/build", 3'400'000'000, 2, {T::rebuildable}, true},
                {"npm cache", "~/.npm/_cacache", "~/.npm/_cacache", 1'870'000'000, -1, {T::rebuildable}, true},
                {"Cargo registry", "~/.cargo/registry", "~/.cargo/registry", 1'210'000'000, -1, {T::rebuildable}, true},
                {"pip cache", "~/.cache/pip", "~/.cache/pip", 640'000'000, 30, {T::rebuildable}, true},
                {"Gradle caches", "~/.gradle/caches", "~/.gradle/caches", 2'300'000'000, 64, {T::rebuildable}, true}};
    default:
        return {{"Google Chrome", "~/.cache/google-chrome", "~/.cache/google-chrome", 2'140'000'000, 0, {T::rebuildable}, true},
                {"Spotify", "~/.cache/spotify", "~/.cache/spotify", 1'320'000'000, 6, {T::rebuildable}, true},
                {"Slack", "~/.config/Slack/Cache", "~/.config/Slack/Cache", 612'000'000, 1, {T::rebuildable, T::running}, true},
                {"Thumbnails", "~/.cache/thumbnails", "~/.cache/thumbnails", 402'000'000, 19, {T::system}, false},
                {"Mesa shader cache", "~/.cache/mesa_shader_cache", "~/.cache/mesa_shader_cache", 96'000'000, 40,
                 {T::system}, false},
                {"Xorg session log", "~/.local/share/xorg/Xorg.0.log", "~/.local/share/xorg/Xorg.0.log", 2'400'000, 400,
                 {T::rebuildable}, true},
                {"fontconfig", "~/.cache/fontconfig", "~/.cache/fontconfig", 3'100'000, -1, {T::system}, false}};
    }
}

std::filesystem::path expanded(const char* path, const std::filesystem::path& home)
{
    const std::string text = path;
    return text.starts_with("~/") ? home / text.substr(2) : std::filesystem::path(text);
}

} // namespace

CategoryResult result(Module module, int count, const std::filesystem::path& home)
{
    const auto now = std::chrono::system_clock::now();
    const std::vector<Sample> base = samples(module);
    const int wanted = count > 0 ? count : int(base.size());
    CategoryResult result;
    for (int i = 0; i < wanted; ++i) {
        const Sample& sample = base[std::size_t(i) % base.size()];
        const int round = i / int(base.size());
        ScanItem item;
        item.url = expanded(sample.path, home);
        item.name = sample.name;
        item.detail = sample.detail;
        if (round > 0) {
            item.url += "." + std::to_string(round);
            item.name += " " + std::to_string(round + 1);
        }
        item.size = sample.size / (round + 1);
        if (sample.daysAgo >= 0)
            item.date = now - std::chrono::hours(24 * (sample.daysAgo + round)) - 90min;
        item.tags = sample.tags;
        item.isRecommended = sample.recommended;
        if (i == 0 && module == Module::systemJunk)
            item.extraURLs = {expanded("~/.config/google-chrome/Crash Reports", home),
                              expanded("~/.cache/google-chrome/Default", home)};
        result.items.push_back(std::move(item));
    }
    std::stable_sort(result.items.begin(), result.items.end(),
                     [](const ScanItem& a, const ScanItem& b) { return a.size > b.size; });
    return result;
}

void materialise(const CategoryResult& result)
{
    std::error_code error;
    for (const ScanItem& item : result.items) {
        // A name with an extension is a file; anything else a folder.
        if (item.url.has_extension() && item.url.extension().string().size() <= 5) {
            std::filesystem::create_directories(item.url.parent_path(), error);
            std::ofstream(item.url).flush();
        } else {
            std::filesystem::create_directories(item.url, error);
        }
    }
}

System::System(bool onDisk)
{
    const std::string unique = std::to_string(std::chrono::steady_clock::now().time_since_epoch().count());
    if (onDisk)
        home_ = std::filesystem::temp_directory_path() / ("quillo-fixtures-" + unique);
    lastCleanRecord_ = std::filesystem::temp_directory_path() / ("quillo-fixtures-last-clean-" + unique + ".json");
    for (Module module : Module::allCases()) {
        if (!module.isLeaf())
            continue;
        results[module] = onDisk ? result(module, 0, home_) : result(module);
        if (onDisk)
            materialise(results[module]);
    }
}

System::~System()
{
    std::error_code error;
    if (!home_.empty())
        std::filesystem::remove_all(home_, error);
    std::filesystem::remove(lastCleanRecord_, error);
}

void System::holdCleans(bool hold)
{
    {
        std::lock_guard lock(mutex_);
        cleansHeld_ = hold;
    }
    released_.notify_all();
}

CategoryResult System::scan(Module leaf, const ProgressSink& progress)
{
    if (!held.contains(leaf))
        return results[leaf];
    progress(heldProgress);
    std::unique_lock lock(mutex_);
    released_.wait(lock, progress.stopToken(), [] { return false; });
    return {};
}

CleanReport System::clean(const std::vector<ScanItem>& items)
{
    {
        std::unique_lock lock(mutex_);
        released_.wait(lock, [this] { return !cleansHeld_; });
    }
    CleanReport report;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (int(i) < failures) {
            report.failedURLs.push_back(items[i].url);
        } else {
            report.removedURLs.push_back(items[i].url);
            report.freedBytes += items[i].size;
            platform::TrashEntry entry{"/fixture/.Trash", items[i].url.filename().string(), items[i].url, {}, 0};
            report.trashEntries.push_back({std::move(entry)});
        }
    }
    return report;
}

StoreServices System::services()
{
    return StoreServices{
        .scan = [this](Module leaf, const ScanOptions&, const ProgressSink& progress) { return scan(leaf, progress); },
        .clean = [this](const std::vector<ScanItem>& items, bool, const platform::PathPatterns&, std::stop_token) {
            return clean(items);
        },
        .restore = [](const platform::TrashEntry&) { return platform::success(); },
        .storage = [this] { return storage; },
        .memory = [] { return MemoryInfo{6'400'000'000, 16'000'000'000}; },
        .checkLowSpace = [](const StorageInfo&) {},
        .runningBundleIDs = [] { return std::set<std::string, std::less<>>{}; },
        .scanOptions = [] { return ScanOptions{}; },
        .deleteImmediately = [this] { return deleteImmediately; },
        .keptPaths = [this] { return kept; },
        .setKeptPaths = [this](const std::vector<std::string>& paths) { kept = paths; },
        .isStillTrashed = [](const platform::TrashEntry&) { return true; },
        .lastCleanRecord = lastCleanRecord_,
    };
}

} // namespace ScreenFixtures
