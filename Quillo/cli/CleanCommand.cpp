#include "cli/CleanCommand.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <optional>
#include <map>
#include <set>
#include <string>

#include <QEventLoop>
#include <QSocketNotifier>

#include "cli/Arguments.h"
#include "cli/ItemListing.h"
#include "cli/ScanSession.h"
#include "foundation/ByteFormat.h"
#include "store/CleanerStore.h"
#include "platform/Result.h"
#include "platform/StopSignals.h"
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

// A path as the scans write it: absolute, without "." or ".." parts or a trailing slash. Fails
// for an empty path, and for a relative one when the working folder is gone.
platform::Result<std::filesystem::path> normalized(std::string_view argument)
{
    if (argument.empty())
        return platform::Result<std::filesystem::path>::failure(ENOENT);
    std::error_code error;
    auto path = std::filesystem::absolute(std::filesystem::path(std::string(argument)), error).lexically_normal();
    if (error)
        return error;
    if (!path.has_filename() && path != path.root_path())
        path = path.parent_path();
    return path;
}

bool addItem(CleanOptions& options, std::string_view argument, int& status)
{
    auto path = normalized(argument);
    if (!path) {
        status = usageError("--item '" + std::string(argument) + "': " + path.error().message());
        return false;
    }
    options.items.push_back(std::move(*path));
    return true;
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
            if (!addItem(options, arguments[i], status))
                return std::nullopt;
        } else if (argument.starts_with("--item=")) {
            if (!addItem(options, argument.substr(7), status))
                return std::nullopt;
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

// Killed between writing a Trash record and moving the item, a clean would leave a record the
// desktop's Trash cannot read: SIGINT and SIGTERM stop it after the item in hand instead (a second
// one ends the program at once).
void waitUntilCleaned(CleanerStore& store, Module module)
{
    QEventLoop loop;
    QObject::connect(&store, &CleanerStore::phaseChanged, &loop, [&](Module changed) {
        if (changed == module && store.phase(module).kind() == ScanPhase::Kind::cleaned)
            loop.quit();
    });
    const platform::StopSignals stopSignals;
    std::optional<QSocketNotifier> signalled;
    if (stopSignals.fd() >= 0) {
        signalled.emplace(stopSignals.fd(), QSocketNotifier::Read);
        QObject::connect(&*signalled, &QSocketNotifier::activated, &loop, [&] {
            signalled->setEnabled(false);
            std::fprintf(stderr, "quillo clean: stopping after the current item\n");
            store.stopCleaning(module);
        });
    }
    store.clean(module);
    loop.exec();
}

// Counts the ticked items of the Trash a clean deletes, as they leave the ticked set by the time
// it ends: what is in the Trash can only go for good, whatever the other items did.
class DeletedFromTrash {
public:
    DeletedFromTrash(const CleanerStore& store, Module module)
    {
        const auto targets = module.scanTargets();
        if (std::find(targets.begin(), targets.end(), Module::trash) == targets.end())
            return;
        auto countGone = [this, &store, module, ticked = store.selectedItems(Module::trash)](Module changed) {
            if (changed != module || store.phase(module).kind() != ScanPhase::Kind::cleaned)
                return;
            auto gone = [&](const ScanItem& item) { return !store.isSelected(item); };
            count_ = static_cast<int>(std::count_if(ticked.begin(), ticked.end(), gone));
        };
        QObject::connect(&store, &CleanerStore::phaseChanged, &context_, countGone);
    }

    int count() const { return count_; }

private:
    QObject context_;
    int count_ = 0;
};

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
        services.clean = [this, clean = services.clean](const std::vector<ScanItem>& items, bool permanently,
                                                        std::stop_token stop) {
            CleanReport report = clean(items, permanently, std::move(stop));
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


void printSummary(const CleanSummary& summary, int deletedFromTrash)
{
    if (summary.itemCount == 0) {
        std::printf("Nothing was removed: %d item%s failed.\n", summary.failedCount,
                    summary.failedCount == 1 ? "" : "s");
        return;
    }
    // Without anything moved to the Trash, everything that went was deleted.
    const int deleted = summary.movedToTrash ? deletedFromTrash : summary.itemCount;
    const int moved = summary.itemCount - deleted;
    std::string where = deleted == 0 ? "moved to the Trash" : "deleted permanently";
    if (deleted > 0 && moved > 0)
        where = std::to_string(moved) + " moved to the Trash, " + std::to_string(deleted) + " " + where;
    const std::string freed = ByteFormat::string(summary.freedBytes, ByteFormat::Style::file).toStdString();
    std::printf("Freed %s: %d item%s cleaned, %d failed, %s.\n", freed.c_str(), summary.itemCount,
                summary.itemCount == 1 ? "" : "s", summary.failedCount, where.c_str());
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
    const DeletedFromTrash deletedFromTrash(store, *module);
    waitUntilCleaned(store, *module);
    const CleanSummary summary = *store.phase(*module).summary();
    printSummary(summary, deletedFromTrash.count());
    failures.print(items);
    // Items a stopped clean did not reach are neither cleaned nor failed.
    const auto handled = static_cast<std::size_t>(summary.itemCount + summary.failedCount);
    const std::size_t left = items.size() > handled ? items.size() - handled : 0;
    if (left > 0)
        std::printf("Stopped by a signal: %zu item%s left untouched.\n", left, left == 1 ? "" : "s");
    return summary.failedCount == 0 && left == 0 ? ExitStatus::success : ExitStatus::failure;
}

} // namespace

const Command cleanCommand{"clean", "clean MODULE [--item PATH]... [--dry-run] [--yes]", runClean};
