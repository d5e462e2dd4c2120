#pragma once

#include <atomic>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <set>
#include <variant>

#include "store/StoreServices.h"
#include "support/TempTree.h"

// Scan routines under the test's control: each leaf either returns its result at once, or is
// held until the test tells it to report progress or finish, or the scan is cancelled.
class FakeScanner {
public:
    void setResult(Module leaf, CategoryResult result)
    {
        std::lock_guard lock(mutex_);
        results_[leaf] = std::move(result);
    }

    // Holds the leaf, or each of the smart scan's targets.
    void hold(Module module)
    {
        std::lock_guard lock(mutex_);
        held_.insert(module.scanTargets().begin(), module.scanTargets().end());
    }

    void report(Module leaf, ScanProgress progress) { push(leaf, std::move(progress)); }
    void finish(Module leaf) { push(leaf, Finish{}); }

    // How many routines of this leaf are running now, and have run in all.
    int running(Module leaf) const { return running_[leaf].load(); }
    int calls(Module leaf) const { return calls_[leaf].load(); }
    int cancelled(Module leaf) const { return cancelled_[leaf].load(); }
    std::vector<ScanOptions> optionsSeen() const
    {
        std::lock_guard lock(mutex_);
        return options_;
    }

    CategoryResult run(Module leaf, const ScanOptions& options, const ProgressSink& progress)
    {
        ++calls_[leaf];
        ++running_[leaf];
        CategoryResult result = runHeld(leaf, options, progress);
        --running_[leaf];
        return result;
    }

private:
    struct Finish {};
    using Command = std::variant<ScanProgress, Finish>;

    void push(Module leaf, Command command)
    {
        std::lock_guard lock(mutex_);
        commands_[leaf].push_back(std::move(command));
        wake_.notify_all();
    }

    CategoryResult runHeld(Module leaf, const ScanOptions& options, const ProgressSink& progress)
    {
        std::unique_lock lock(mutex_);
        options_.push_back(options);
        if (!held_.contains(leaf))
            return results_[leaf];
        for (;;) {
            auto& queue = commands_[leaf];
            wake_.wait(lock, progress.stopToken(), [&] { return !queue.empty(); });
            if (progress.isCancelled()) {
                ++cancelled_[leaf];
                return {};
            }
            Command command = std::move(queue.front());
            queue.pop_front();
            if (std::holds_alternative<Finish>(command))
                return results_[leaf];
            lock.unlock();
            progress(std::get<ScanProgress>(command));
            lock.lock();
        }
    }

    mutable std::mutex mutex_;
    std::condition_variable_any wake_;
    std::map<Module, CategoryResult> results_;
    std::set<Module> held_;
    std::map<Module, std::deque<Command>> commands_;
    std::vector<ScanOptions> options_;
    std::array<std::atomic<int>, Module::caseCount> running_{};
    std::array<std::atomic<int>, Module::caseCount> calls_{};
    std::array<std::atomic<int>, Module::caseCount> cancelled_{};
};

// A cleaner that removes everything except the URLs told to fail, and notes every call.
class FakeCleaner {
public:
    struct Call {
        std::vector<ScanItem> items;
        bool permanently;
    };

    void failOn(std::filesystem::path url)
    {
        std::lock_guard lock(mutex_);
        failing_.insert(std::move(url));
    }

    std::vector<Call> calls() const
    {
        std::lock_guard lock(mutex_);
        return calls_;
    }

    bool overlapped() const { return overlapped_; }

    CleanReport clean(const std::vector<ScanItem>& items, bool permanently, const std::stop_token& stop)
    {
        if (busy_.exchange(true))
            overlapped_ = true;
        CleanReport report;
        {
            std::lock_guard lock(mutex_);
            calls_.push_back({items, permanently});
            for (const ScanItem& item : items) {
                if (stop.stop_requested())
                    break;
                if (failing_.contains(item.url)) {
                    report.failedURLs.push_back(item.url);
                } else {
                    report.removedURLs.push_back(item.url);
                    report.freedBytes += item.size;
                    // What went to the Trash becomes an entry of its name there.
                    report.trashEntries.emplace_back();
                    if (!permanently)
                        report.trashEntries.back().push_back({"/fake-trash", item.url.filename(), item.url, {}, 0});
                }
            }
        }
        busy_ = false;
        return report;
    }

private:
    mutable std::mutex mutex_;
    std::set<std::filesystem::path> failing_;
    std::vector<Call> calls_;
    std::atomic<bool> busy_{false};
    std::atomic<bool> overlapped_{false};
};

// The rest of the system, with answers the test sets.
struct FakeSystem {
    FakeScanner scanner;
    FakeCleaner cleaner;
    std::set<std::string, std::less<>> runningBundleIDs;
    bool deleteImmediately = false;
    ScanOptions options;
    int lowSpaceChecks = 0;
    int deleteImmediatelyReads = 0;
    std::vector<std::string> kept;
    // Trash entries, by their items' paths, that cannot be put back, and why; and those no longer
    // in the Trash at all.
    std::map<std::filesystem::path, std::error_code> restoreFailures;
    std::set<std::filesystem::path> goneFromTrash;
    std::mutex restoring;
    TempTree records;

    StoreServices services()
    {
        return StoreServices{
            .scan = [this](Module leaf, const ScanOptions& o, const ProgressSink& p) { return scanner.run(leaf, o, p); },
            .clean = [this](const std::vector<ScanItem>& items, bool permanently, const platform::PathPatterns&,
                            std::stop_token stop) { return cleaner.clean(items, permanently, stop); },
            .restore = [this](const platform::TrashEntry& entry) -> platform::Outcome {
                std::lock_guard lock(restoring);
                if (auto failure = restoreFailures.find(entry.originalPath); failure != restoreFailures.end())
                    return failure->second;
                return platform::success();
            },
            .storage = [] { return StorageInfo{"Fixture HD", 500'000'000'000, 100'000'000'000}; },
            .memory = [] { return MemoryInfo{8'000'000'000, 16'000'000'000}; },
            .checkLowSpace = [this](const StorageInfo&) { ++lowSpaceChecks; },
            .runningBundleIDs = [this] { return runningBundleIDs; },
            .scanOptions = [this] { return options; },
            .deleteImmediately = [this] { ++deleteImmediatelyReads; return deleteImmediately; },
            .keptPaths = [this] { return kept; },
            .setKeptPaths = [this](const std::vector<std::string>& paths) { kept = paths; },
            .isStillTrashed = [this](const platform::TrashEntry& entry) {
                std::lock_guard lock(restoring);
                return !goneFromTrash.contains(entry.originalPath);
            },
            .lastCleanRecord = records.path("last-clean.json"),
        };
    }
};

// An item for a fake result: a made-up path that no cleaner ever touches.
inline ScanItem fixtureItem(const std::string& name, std::int64_t size, bool recommended = true)
{
    ScanItem made;
    made.url = "/fixture/" + name;
    made.name = name;
    made.size = size;
    made.isRecommended = recommended;
    return made;
}
