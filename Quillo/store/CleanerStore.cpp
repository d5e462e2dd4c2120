#include "store/CleanerStore.h"

#include <algorithm>
#include <thread>

#include <QMetaObject>

#include "store/ScanTask.h"
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
    setPhase(module, ScanPhase::cleaning());
    cleans_.push_back(std::move(run));
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
        // Items already in the Trash can only go for good.
        const bool permanently = target == Module::trash || run.deleteImmediately;
        run.worker = std::jthread([this, &run, target, permanently, items = std::move(toClean),
                                   clean = services_.clean](std::stop_token stop) {
            // Support files an installed application not being removed with them still uses stay.
            CleanReport report = clean(DiskScanner::withoutFilesOfStayingApps(items), permanently, std::move(stop));
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
    for (const auto& url : report.removedURLs)
        removed.insert(url.native());
    if (const CategoryResult* current = result(target)) {
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
    // The worker that delivered the last report has returned by now; dropping the run joins it.
    std::erase_if(cleans_, [&](const auto& candidate) { return candidate.get() == &run; });
    setPhase(module, ScanPhase::cleaned(summary));
    if (rescanTrash)
        scan(Module::trash);
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
