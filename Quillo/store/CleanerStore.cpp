#include "store/CleanerStore.h"

#include <algorithm>
#include <thread>

#include <QMetaObject>

#include "store/ScanTask.h"
#include "scan/DiskScanner.h"
#include "scan/routines/Uninstaller.h"

namespace {

bool contains(std::span<const Module> modules, Module module)
{
    return std::find(modules.begin(), modules.end(), module) != modules.end();
}

} // namespace

// One clean in progress: its targets are cleaned one after another, each by one call of the
// cleaner on a worker thread, while the totals and lists live here on the GUI thread.
struct CleanerStore::CleanRun {
    explicit CleanRun(Module cleaning) : module(cleaning) {}

    Module module;
    bool deleteImmediately = false;
    std::set<std::string, std::less<>> runningBundleIDs;
    std::size_t nextTarget = 0;
    std::int64_t freedBytes = 0;
    std::vector<std::filesystem::path> cleaned;
    std::vector<std::filesystem::path> failed;
    bool movedToTrash = false;
    bool stopping = false;
    // Read once when the clean starts, as the scan options are.
    std::shared_ptr<const platform::PathPatterns> kept;
    // What went to the Trash, for undoing the clean, and every item taken from its result.
    std::vector<LastClean::Item> trashed;
    std::vector<TakenItem> taken;
    std::jthread worker;
};

CleanerStore::CleanerStore(StoreServices services, QObject* parent)
    : QObject(parent), services_(std::move(services)), storage_(services_.storage()), memory_(services_.memory()),
      statsTimer_(this)
{
    // The timer is the store's own child: it cannot outlive the store it refreshes.
    statsTimer_.setInterval(statsIntervalMs);
    connect(&statsTimer_, &QTimer::timeout, this, &CleanerStore::refreshStats);
    statsTimer_.start();
}

CleanerStore::~CleanerStore()
{
    for (auto& [id, task] : liveTasks_)
        task->cancel();
    liveTasks_.clear();
    cleans_.clear();
}

// --- Observable fields -------------------------------------------------------------------------

void CleanerStore::setSelectedModule(std::optional<Module> module)
{
    if (selectedModule_ == module)
        return;
    selectedModule_ = module;
    Q_EMIT selectedModuleChanged();
}

void CleanerStore::setPhase(Module module, ScanPhase phase)
{
    if (phases_[module] == phase)
        return;
    phases_[module] = phase;
    Q_EMIT phaseChanged(module);
}

void CleanerStore::setResult(Module module, std::optional<CategoryResult> result)
{
    if (results_[module] == result)
        return;
    results_[module] = std::move(result);
    Q_EMIT resultChanged(module);
}

void CleanerStore::setProgress(Module module, double fraction)
{
    if (progress_[module] == fraction)
        return;
    progress_[module] = fraction;
    Q_EMIT progressChanged(module);
}

void CleanerStore::setLiveFound(Module module, std::int64_t bytes)
{
    if (liveFound_[module] == bytes)
        return;
    liveFound_[module] = bytes;
    Q_EMIT liveFoundChanged(module);
}

void CleanerStore::setCurrentPath(const std::string& path)
{
    if (currentPath_ == path)
        return;
    currentPath_ = path;
    Q_EMIT currentPathChanged();
}

void CleanerStore::insertIntoSelection(const std::vector<ScanItem>& items, bool onlyRecommended)
{
    bool changed = false;
    selection_.reserve(selection_.size() + items.size());
    for (const ScanItem& item : items) {
        if (item.isRecommended || !onlyRecommended)
            changed |= selection_.insert(item.url.native()).second;
    }
    if (changed)
        Q_EMIT selectionChanged();
}

void CleanerStore::removeFromSelection(const std::vector<ScanItem>& items)
{
    bool changed = false;
    for (const ScanItem& item : items)
        changed |= selection_.erase(item.url.native()) > 0;
    if (changed)
        Q_EMIT selectionChanged();
}

// --- Queries -----------------------------------------------------------------------------------

const CategoryResult* CleanerStore::result(Module module) const
{
    return results_[module] ? &*results_[module] : nullptr;
}

bool CleanerStore::anyScanRunning() const
{
    return std::any_of(tasks_.begin(), tasks_.end(), [](TaskId id) { return id != 0; });
}

std::vector<ScanItem> CleanerStore::selectedItems(Module module) const
{
    std::vector<ScanItem> items;
    for (Module target : module.scanTargets()) {
        if (const CategoryResult* found = result(target)) {
            std::copy_if(found->items.begin(), found->items.end(), std::back_inserter(items),
                         [&](const ScanItem& item) { return isSelected(item); });
        }
    }
    return items;
}

CleanerStore::SelectedTotals CleanerStore::selectedTotals(Module module) const
{
    SelectedTotals totals;
    for (Module target : module.scanTargets()) {
        if (const CategoryResult* found = result(target)) {
            for (const ScanItem& item : found->items) {
                if (isSelected(item)) {
                    ++totals.count;
                    totals.bytes += item.size;
                }
            }
        }
    }
    return totals;
}

std::int64_t CleanerStore::foundBytes(Module module) const
{
    std::int64_t total = 0;
    for (Module target : module.scanTargets())
        total += result(target) ? totalSize(result(target)->items) : liveFound(target);
    return total;
}

std::optional<std::int64_t> CleanerStore::scannedBytes(Module module) const
{
    const CategoryResult* found = result(module);
    if (!found || found->accessDenied)
        return std::nullopt;
    return totalSize(found->items);
}

// --- Scanning ----------------------------------------------------------------------------------

void CleanerStore::refreshStats()
{
    StorageInfo storage = services_.storage();
    if (!(storage == storage_)) {
        storage_ = storage;
        Q_EMIT storageChanged();
    }
    MemoryInfo memory = services_.memory();
    if (!(memory == memory_)) {
        memory_ = memory;
        Q_EMIT memoryChanged();
    }
    services_.checkLowSpace(storage_);
    // The Trash may have been emptied elsewhere.
    checkUndoStillPossible();
}

void CleanerStore::open(Module module, bool andScan)
{
    setSelectedModule(module);
    if (andScan)
        scan(module);
}

void CleanerStore::scan(Module module)
{
    const auto targetSpan = module.scanTargets();
    const std::vector<Module> targets(targetSpan.begin(), targetSpan.end());
    cancelOverlappingScans(targets, module);
    for (Module target : targets) {
        // Unticked and freed before the new drivers start: a new thread reuses the heap of the
        // driver that built the old result, and freeing it while the new driver lists slows both
        // down several times over.
        if (const CategoryResult* old = result(target))
            removeFromSelection(old->items);
        setResult(target, std::nullopt);
        setProgress(target, 0.0);
        setLiveFound(target, 0);
        setPhase(target, ScanPhase::scanning());
    }
    setPhase(module, ScanPhase::scanning());
    setCurrentPath("");

    const ScanOptions options = services_.scanOptions();
    const TaskId id = nextTaskId_++;
    auto routine = [scanRoutine = services_.scan, options](Module target, const ProgressSink& progress) {
        // The smart scan has no routine of its own; it is never its own target.
        return target.isLeaf() ? scanRoutine(target, options, progress) : CategoryResult{};
    };
    ScanTask::Callbacks callbacks{
        .progress = [this](Module target, const ScanProgress& report) { apply(report, target); },
        .targetFinished = [this](Module target, CategoryResult found) { finish(target, std::move(found)); },
        .allFinished = [this, module] { finishScan(module); },
        .drained = [this, id] { liveTasks_.erase(id); },
    };
    try {
        liveTasks_[id] = std::make_unique<ScanTask>(this, targets, std::move(routine), std::move(callbacks));
    } catch (...) {
        liveTasks_.erase(id);
        for (Module target : targets)
            resetLeaf(target);
        setPhase(module, ScanPhase::idle());
        throw;
    }
    tasks_[module] = id;
}

void CleanerStore::cancelTask(Module startedBy)
{
    if (TaskId id = std::exchange(tasks_[startedBy], 0)) {
        if (auto found = liveTasks_.find(id); found != liveTasks_.end())
            found->second->cancel();
    }
}

void CleanerStore::cancelOverlappingScans(const std::vector<Module>& targets, Module starting)
{
    for (Module running : Module::allCases()) {
        if (!isScanning(running))
            continue;
        if (running == starting) {
            cancelTask(running);
            continue;
        }
        const auto runningTargets = running.scanTargets();
        const bool overlaps = std::any_of(runningTargets.begin(), runningTargets.end(),
                                          [&](Module target) { return contains(targets, target); });
        if (!overlaps)
            continue;
        cancelTask(running);
        setPhase(running, ScanPhase::idle());
        // Its other targets would otherwise show "scanning" with nothing running for them.
        for (Module target : runningTargets) {
            if (!contains(targets, target) && phase(target) == ScanPhase::scanning())
                resetLeaf(target);
        }
    }
}

void CleanerStore::cancelScan(Module module)
{
    cancelTask(module);
    for (Module target : module.scanTargets()) {
        if (phase(target) == ScanPhase::scanning())
            resetLeaf(target);
    }
    setPhase(module, ScanPhase::idle());
}

void CleanerStore::resetLeaf(Module module)
{
    setPhase(module, ScanPhase::idle());
    setResult(module, std::nullopt);
    setProgress(module, 0.0);
    setLiveFound(module, 0);
}

void CleanerStore::apply(const ScanProgress& report, Module module)
{
    // A report that arrives after its scan finished, was cancelled or reset changes nothing.
    if (phase(module) != ScanPhase::scanning())
        return;
    setProgress(module, report.fraction);
    setLiveFound(module, report.foundBytes);
    if (!report.path.empty())
        setCurrentPath(report.path);
}

void CleanerStore::finish(Module module, CategoryResult found)
{
    const std::int64_t total = totalSize(found.items);
    setResult(module, std::move(found));
    setProgress(module, 1.0);
    setLiveFound(module, total);
    insertIntoSelection(result(module)->items, true);
    setPhase(module, ScanPhase::ready());
}

void CleanerStore::finishScan(Module module)
{
    refreshStats();
    setPhase(module, ScanPhase::ready());
    tasks_[module] = 0;
}

// --- Selection and cleaning --------------------------------------------------------------------

void CleanerStore::toggle(const ScanItem& item)
{
    if (!selection_.erase(item.url.native()))
        selection_.insert(item.url.native());
    Q_EMIT selectionChanged();
}

void CleanerStore::setSelected(bool on, const std::vector<ScanItem>& items)
{
    if (on)
        insertIntoSelection(items);
    else
        removeFromSelection(items);
}

void CleanerStore::clean(Module module)
{
    // A second clean of items a running one is removing (a double click) would remove them twice
    // and count them all as failed.
    const bool overlapsRunningClean = std::any_of(cleans_.begin(), cleans_.end(), [&](const auto& run) {
        const auto running = run->module.scanTargets();
        return std::any_of(running.begin(), running.end(), [&](Module target) { return contains(module.scanTargets(), target); });
    });
    if (overlapsRunningClean || selectedItems(module).empty())
        return;
    auto run = std::make_unique<CleanRun>(module);
    run->deleteImmediately = services_.deleteImmediately();
    run->runningBundleIDs = services_.runningBundleIDs();
    // What the scans leave out, the cleaner refuses.
    run->kept = std::make_shared<const platform::PathPatterns>(services_.scanOptions().keepPaths, DiskScanner::home());
    const bool couldUndo = canUndo();
    setPhase(module, ScanPhase::cleaning());
    cleans_.push_back(std::move(run));
    if (couldUndo)
        Q_EMIT undoChanged();
    // Like every operation, clean returns at once: the work starts from the event loop.
    QMetaObject::invokeMethod(this, [this, started = cleans_.back().get()] { cleanNextTarget(*started); },
                              Qt::QueuedConnection);
}

void CleanerStore::cleanNextTarget(CleanRun& run)
{
    const auto targets = run.module.scanTargets();
    while (!run.stopping && run.nextTarget < targets.size()) {
        const Module target = targets[run.nextTarget++];
        std::vector<ScanItem> toClean;
        for (const ScanItem& item : selectedItems(target)) {
            // Never pull files from under an application that is running: they stay ticked.
            if (item.bundleID && run.runningBundleIDs.contains(*item.bundleID))
                run.failed.push_back(item.url);
            else
                toClean.push_back(item);
        }
        if (toClean.empty())
            continue;
        const bool permanently = cleansPermanently(target, run.deleteImmediately);
        run.worker = std::jthread([this, &run, target, permanently, items = std::move(toClean),
                                   clean = services_.clean, kept = run.kept](std::stop_token stop) {
            // Support files an installed application not being removed with them still uses stay.
            CleanReport report =
                clean(DiskScanner::withoutFilesOfStayingApps(items), permanently, *kept, std::move(stop));
            QMetaObject::invokeMethod(
                this, [this, &run, target, permanently, report = std::move(report)] {
                    applyCleanReport(run, target, report, permanently);
                    cleanNextTarget(run);
                },
                Qt::QueuedConnection);
        });
        return;
    }
    finishClean(run);
}

void CleanerStore::applyCleanReport(CleanRun& run, Module target, const CleanReport& report, bool permanently)
{
    if (!run.movedToTrash && !permanently)
        run.movedToTrash = !report.removedURLs.empty();
    run.freedBytes += report.freedBytes;
    run.cleaned.insert(run.cleaned.end(), report.removedURLs.begin(), report.removedURLs.end());
    run.failed.insert(run.failed.end(), report.failedURLs.begin(), report.failedURLs.end());

    Selection removed;
    for (std::size_t i = 0; i < report.removedURLs.size(); ++i) {
        removed.insert(report.removedURLs[i].native());
        if (!permanently && i < report.trashEntries.size() && !report.trashEntries[i].empty())
            run.trashed.push_back({report.removedURLs[i], report.trashEntries[i]});
    }
    if (const CategoryResult* current = result(target)) {
        for (std::size_t index = 0; index < current->items.size(); ++index) {
            if (removed.contains(current->items[index].url.native()))
                run.taken.push_back({target, index, current->items[index]});
        }
        CategoryResult shrunk = *current;
        std::erase_if(shrunk.items, [&](const ScanItem& item) { return removed.contains(item.url.native()); });
        setResult(target, std::move(shrunk));
    }
    bool changed = false;
    for (const auto& url : report.removedURLs)
        changed |= selection_.erase(url.native()) > 0;
    if (changed)
        Q_EMIT selectionChanged();
}

void CleanerStore::finishClean(CleanRun& run)
{
    refreshStats();
    const CleanSummary summary{run.freedBytes, static_cast<int>(run.cleaned.size()), static_cast<int>(run.failed.size()),
                               run.movedToTrash};
    const Module module = run.module;
    const bool rescanTrash = run.movedToTrash && result(Module::trash) && !anyScanRunning();
    recordClean(run);
    // The worker that delivered the last report has returned by now; dropping the run joins it.
    std::erase_if(cleans_, [&](const auto& candidate) { return candidate.get() == &run; });
    if (canUndo())
        Q_EMIT undoChanged();
    setPhase(module, ScanPhase::cleaned(summary));
    if (rescanTrash)
        scan(Module::trash);
}

// Every clean that removed something becomes the one to undo: one that moved nothing to the Trash
// leaves nothing to undo, whatever an earlier one left.
void CleanerStore::recordClean(const CleanRun& run)
{
    if (run.cleaned.empty())
        return;
    LastClean record{run.trashed.empty(), run.trashed};
    // Unrecorded, the clean still happened; only a later run's undo cannot reach it.
    (void)record.write(services_.lastCleanRecord);
    takenByLastClean_.clear();
    // Only what went to the Trash can come back into its result.
    for (const TakenItem& taken : run.taken) {
        if (std::ranges::any_of(record.items, [&](const LastClean::Item& item) { return item.url == taken.item.url; }))
            takenByLastClean_.push_back(taken);
    }
    undoModule_ = run.module;
    if (record.items.empty())
        undoRecord_.reset();
    else
        undoRecord_ = std::move(record);
}

void CleanerStore::stopCleaning(Module module)
{
    for (auto& run : cleans_) {
        if (run->module == module) {
            // The flag keeps later targets from starting; the request ends the current one early.
            run->stopping = true;
            run->worker.request_stop();
        }
    }
}

void CleanerStore::dismissSummary(Module module)
{
    setPhase(module, module == Module::smartScan ? ScanPhase::idle() : ScanPhase::ready());
}

void CleanerStore::putBack(const std::vector<TakenItem>& taken)
{
    std::vector<TakenItem> inOrder = taken;
    std::ranges::stable_sort(inOrder, {}, &TakenItem::index);
    for (Module leaf : Module::allCases()) {
        const CategoryResult* current = result(leaf);
        if (!current || std::ranges::none_of(taken, [&](const TakenItem& item) { return item.target == leaf; }))
            continue;
        CategoryResult grown = *current;
        for (const TakenItem& back : inOrder) {
            const bool present = std::ranges::any_of(grown.items, [&](const ScanItem& item) { return item.url == back.item.url; });
            if (back.target == leaf && !present)
                grown.items.insert(grown.items.begin() + static_cast<std::ptrdiff_t>(std::min(back.index, grown.items.size())),
                                   back.item);
        }
        setResult(leaf, std::move(grown));
    }
}

// --- Keep list ---------------------------------------------------------------------------------

std::string CleanerStore::keepPath(const std::filesystem::path& path)
{
    std::string entry = platform::PathPatterns::literal(path.lexically_normal());
    keep(entry);
    return entry;
}

void CleanerStore::keepPattern(const std::string& pattern) { keep(pattern); }

void CleanerStore::keep(const std::string& entry)
{
    auto list = keptPaths();
    // Kept already: no result shows what it covers.
    if (std::ranges::find(list, entry) != list.end())
        return;
    list.push_back(entry);
    services_.setKeptPaths(list);
    Q_EMIT keptPathsChanged();
    const platform::PathPatterns kept({entry}, DiskScanner::home());
    // Only a path entry is looked for inside an item: a name entry would walk every folder.
    const bool isPath = entry.find('/') != std::string::npos;
    lastKept_ = entry;
    takenByLastKept_.clear();
    for (Module leaf : Module::allCases()) {
        const CategoryResult* current = result(leaf);
        if (!current)
            continue;
        CategoryResult shrunk;
        shrunk.accessDenied = current->accessDenied;
        std::vector<ScanItem> gone;
        for (std::size_t index = 0; index < current->items.size(); ++index) {
            const ScanItem& item = current->items[index];
            if (kept.covers(item.url) || (isPath && kept.coversSomethingInside(item.url))) {
                takenByLastKept_.push_back({leaf, index, item});
                gone.push_back(item);
            } else {
                shrunk.items.push_back(item);
            }
        }
        if (gone.empty())
            continue;
        removeFromSelection(gone);
        setResult(leaf, std::move(shrunk));
    }
}

void CleanerStore::unkeep(const std::string& entry)
{
    auto list = keptPaths();
    if (std::erase(list, entry) > 0) {
        services_.setKeptPaths(list);
        Q_EMIT keptPathsChanged();
    }
    if (entry != lastKept_)
        return;
    putBack(takenByLastKept_);
    takenByLastKept_.clear();
    lastKept_.clear();
}

// --- Undo --------------------------------------------------------------------------------------

void CleanerStore::undoLastClean()
{
    if (undoing_ || !cleans_.empty())
        return;
    auto record = LastClean::read(services_.lastCleanRecord);
    if (!record || record->items.empty()) {
        if (std::exchange(undoRecord_, std::nullopt))
            Q_EMIT undoChanged();
        UndoReport report;
        report.kind = record && record->deletedForGood ? UndoReport::Kind::deletedForGood : UndoReport::Kind::nothingToUndo;
        Q_EMIT undoFinished(report);
        return;
    }
    undoing_ = true;
    Q_EMIT undoChanged();
    undoWorker_ = std::jthread([this, restore = services_.restore, items = std::move(record->items)](std::stop_token stop) {
        UndoReport report{UndoReport::Kind::undone, {}};
        // Stopped only when the store goes: the record, untouched, still lists what is left.
        for (const LastClean::Item& item : items) {
            for (const platform::TrashEntry& entry : item.entries) {
                if (stop.stop_requested())
                    return;
                report.entries.push_back({item.url, entry, restore(entry).error()});
            }
        }
        QMetaObject::invokeMethod(this, [this, report = std::move(report)] { finishUndo(report); }, Qt::QueuedConnection);
    });
}

void CleanerStore::finishUndo(const UndoReport& report)
{
    undoWorker_ = {};
    undoing_ = false;
    // What failed but is still in the Trash may go back once its place is free; the rest is done.
    LastClean remaining;
    std::set<std::filesystem::path> tried;
    std::set<std::filesystem::path> notBack;
    for (const UndoReport::Entry& entry : report.entries) {
        tried.insert(entry.item);
        if (!entry.error)
            continue;
        notBack.insert(entry.item);
        if (!services_.isStillTrashed(entry.entry))
            continue;
        if (remaining.items.empty() || remaining.items.back().url != entry.item)
            remaining.items.push_back({entry.item, {}});
        remaining.items.back().entries.push_back(entry.entry);
    }
    if (remaining.items.empty())
        LastClean::remove(services_.lastCleanRecord);
    else
        (void)remaining.write(services_.lastCleanRecord);
    if (undoRecord_)
        undoRecord_ = remaining.items.empty() ? std::nullopt : std::optional(remaining);

    std::vector<TakenItem> back;
    std::erase_if(takenByLastClean_, [&](const TakenItem& taken) {
        const bool returned = tried.contains(taken.item.url) && !notBack.contains(taken.item.url);
        if (returned)
            back.push_back(taken);
        return returned;
    });
    putBack(back);
    if (result(Module::trash) && !anyScanRunning())
        scan(Module::trash);
    Q_EMIT undoChanged();
    Q_EMIT undoFinished(report);
}

void CleanerStore::checkUndoStillPossible()
{
    if (!undoRecord_ || undoing_)
        return;
    const bool anyLeft = std::ranges::any_of(undoRecord_->items, [&](const LastClean::Item& item) {
        return std::ranges::any_of(item.entries, services_.isStillTrashed);
    });
    if (anyLeft)
        return;
    undoRecord_.reset();
    takenByLastClean_.clear();
    Q_EMIT undoChanged();
}
