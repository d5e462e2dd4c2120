#include "cli/CleanCommand.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <map>
#include <set>
#include <string>

#include <QEventLoop>

#include "cli/Arguments.h"
#include "cli/ItemListing.h"
#include "cli/ScanSession.h"
#include "core/ByteFormat.h"
#include "core/store/CleanerStore.h"
#include "platform/Terminal.h"

namespace {

struct CleanOptions {
    std::string_view module;
    std::vector<std::filesystem::path> items;
    bool dryRun = false;
    bool yes = false;
};

int usageError(const std::string& message)
{
    std::fprintf(stderr, "quillo clean: %s\nusage: quillo %.*s\n", message.c_str(), static_cast<int>(cleanCommand.usage.size()),
                 cleanCommand.usage.data());
    return ExitStatus::usage;
}

// A path as the scans write it: absolute, without "." or ".." parts or a trailing slash.
std::filesystem::path normalized(std::string_view argument)
{
    auto path = std::filesystem::absolute(std::filesystem::path(std::string(argument))).lexically_normal();
    if (!path.has_filename() && path != path.root_path())
        path = path.parent_path();
    return path;
}

std::optional<CleanOptions> parse(const std::vector<std::string_view>& arguments, int& status)
{
    CleanOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (argument == "--dry-run") {
            options.dryRun = true;
        } else if (argument == "--yes") {
            options.yes = true;
        } else if (argument == "--item") {
            if (++i == arguments.size()) {
                status = usageError("--item needs a PATH");
                return std::nullopt;
            }
            options.items.push_back(normalized(arguments[i]));
        } else if (argument.starts_with("--item=")) {
            options.items.push_back(normalized(argument.substr(7)));
        } else if (!argument.starts_with("-") && options.module.empty()) {
            options.module = argument;
        } else {
            status = usageError("unexpected '" + std::string(argument) + "'");
            return std::nullopt;
        }
    }
    if (options.module.empty()) {
        status = usageError("missing MODULE");
        return std::nullopt;
    }
    return options;
}

// Replaces the scan's own ticks with exactly the named items; false (after saying which) when
// one of them is not an item of the result, in which case nothing is ticked.
bool tickExactly(CleanerStore& store, Module module, const std::vector<std::filesystem::path>& wanted)
{
    std::vector<ScanItem> all;
    for (Module target : module.scanTargets()) {
        if (const CategoryResult* result = store.result(target))
            all.insert(all.end(), result->items.begin(), result->items.end());
    }
    std::vector<ScanItem> chosen;
    for (const auto& path : wanted) {
        auto found = std::find_if(all.begin(), all.end(), [&](const ScanItem& item) { return item.url == path; });
        if (found == all.end()) {
            std::fprintf(stderr, "quillo clean: %s is not an item of %s; nothing was removed\n", path.c_str(),
                         std::string(module.rawValue()).c_str());
            return false;
        }
        chosen.push_back(*found);
    }
    store.setSelected(false, all);
    store.setSelected(true, chosen);
    return true;
}

bool confirmed(std::size_t count, std::int64_t bytes)
{
    const std::string size = ByteFormat::string(bytes, ByteFormat::Style::file).toStdString();
    std::fprintf(stderr, "Remove %zu item%s (%s)? [y/N] ", count, count == 1 ? "" : "s", size.c_str());
    std::string answer;
    if (!std::getline(std::cin, answer))
        return false;
    return answer == "y" || answer == "Y" || answer == "yes" || answer == "Yes";
}

void waitUntilCleaned(CleanerStore& store, Module module)
{
    QEventLoop loop;
    QObject::connect(&store, &CleanerStore::phaseChanged, &loop, [&](Module changed) {
        if (changed == module && store.phase(module).kind() == ScanPhase::Kind::cleaned)
            loop.quit();
    });
    store.clean(module);
    loop.exec();
}

// Why each item that was not cleaned failed, by its location: the cleaner's reasons, taken from
// its reports as they pass, and the store's own refusal of items whose application runs.
struct Failures {
    std::map<std::filesystem::path, std::string> reasons;
    std::set<std::string, std::less<>> running;

    // The live services, noting what the store is told. The store calls the cleaner on a worker
    // thread and reads its report on this one afterwards, so the notes are complete (and no
    // longer written) once the clean has finished.
    StoreServices noting()
    {
        StoreServices services = StoreServices::live();
        services.clean = [this, clean = services.clean](const std::vector<ScanItem>& items, bool permanently) {
            CleanReport report = clean(items, permanently);
            for (std::size_t i = 0; i < report.failedURLs.size(); ++i)
                reasons[report.failedURLs[i]] = i < report.failureReasons.size() ? report.failureReasons[i] : "";
            return report;
        };
        services.runningBundleIDs = [this, runningNow = services.runningBundleIDs] { return running = runningNow(); };
        return services;
    }

    void print(const std::vector<ScanItem>& items) const
    {
        for (const ScanItem& item : items) {
            if (auto reason = reasons.find(item.url); reason != reasons.end())
                std::printf("Not cleaned: %s: %s\n", item.url.c_str(), reason->second.c_str());
            else if (item.bundleID && running.contains(*item.bundleID))
                std::printf("Not cleaned: %s: its application is running\n", item.url.c_str());
        }
    }
};

void printSummary(const CleanSummary& summary)
{
    const std::string freed = ByteFormat::string(summary.freedBytes, ByteFormat::Style::file).toStdString();
    std::printf("Freed %s: %d item%s cleaned, %d failed, %s.\n", freed.c_str(), summary.itemCount,
                summary.itemCount == 1 ? "" : "s", summary.failedCount,
                summary.movedToTrash ? "moved to the Trash" : "deleted permanently");
}

int runClean(const std::vector<std::string_view>& arguments)
{
    int status = ExitStatus::success;
    const auto options = parse(arguments, status);
    if (!options)
        return status;
    const auto module = parseModule(options->module, "clean");
    if (!module)
        return ExitStatus::usage;

    Failures failures;
    CleanerStore store(failures.noting());
    runScan(store, *module, platform::isTerminal(2));
    if (!options->items.empty() && !tickExactly(store, *module, options->items))
        return ExitStatus::usage;

    const std::vector<ScanItem> items = store.selectedItems(*module);
    if (items.empty()) {
        std::printf("Nothing is ticked: nothing to clean.\n");
        return ExitStatus::success;
    }
    std::printf("%s:\n", options->dryRun ? "Would clean" : "Will clean");
    printItems(stdout, store, items);
    std::fflush(stdout);
    if (options->dryRun)
        return ExitStatus::success;
    if (!options->yes) {
        if (!platform::isTerminal(STDIN_FILENO)) {
            std::fprintf(stderr, "quillo clean: no terminal to confirm on; pass --yes to clean without asking\n");
            return ExitStatus::usage;
        }
        if (!confirmed(items.size(), totalSize(items))) {
            std::printf("Nothing was removed.\n");
            return ExitStatus::success;
        }
    }
    waitUntilCleaned(store, *module);
    const CleanSummary summary = *store.phase(*module).summary();
    printSummary(summary);
    failures.print(items);
    return summary.failedCount == 0 ? ExitStatus::success : ExitStatus::failure;
}

} // namespace

const Command cleanCommand{"clean", "clean MODULE [--item PATH]... [--dry-run] [--yes]", runClean};
