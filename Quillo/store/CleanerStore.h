#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <unordered_set>
#include <vector>

#include <QObject>
#include <QTimer>

#include "records/CategoryResult.h"
#include "records/Module.h"
#include "records/ScanPhase.h"
#include "store/LastClean.h"
#include "store/StoreServices.h"
#include "store/UndoReport.h"

class ScanTask;

// The ticked items' locations by their exact text, which is a location's identity as for file
// URLs ("/a//b" and "/a/b" are two): a string is copied and freed at a fraction of the cost of a
// path and its parsed components, and a full scan's result is ticked and unticked at once.
using Selection = std::unordered_set<std::string>;

// The one observable object behind every window: which module is shown, the phase, result,
// progress and live byte count of every module, the ticked items of all modules, and the disk
// and memory figures. Lives on the GUI thread; every operation returns at once while scans and
// cleans run elsewhere. Each observable field has a change signal, never emitted for an
// assignment that changes nothing.
class CleanerStore : public QObject {
    Q_OBJECT

public:
    static constexpr int statsIntervalMs = 20'000;

    // Whether a clean of `target` deletes for good: items already in the Trash can only go so.
    static bool cleansPermanently(Module target, bool deleteImmediately)
    {
        return target == Module::trash || deleteImmediately;
    }

    // The application passes StoreServices::live(); tests pass fakes.
    explicit CleanerStore(StoreServices services, QObject* parent = nullptr);
    // Cancels running scans and waits for their drivers, which stop at their next check; waits
    // for a clean in progress to finish its current removal.
    ~CleanerStore() override;

    // Observable fields.
    std::optional<Module> selectedModule() const { return selectedModule_; }
    void setSelectedModule(std::optional<Module> module);
    const Selection& selection() const { return selection_; }
    bool isSelected(const ScanItem& item) const { return selection_.contains(item.url.native()); }
    const StorageInfo& storage() const { return storage_; }
    const MemoryInfo& memory() const { return memory_; }
    const std::string& currentPath() const { return currentPath_; }

    // Per-module queries: idle, no result, 0 and 0 where the module has no entry.
    ScanPhase phase(Module module) const { return phases_[module]; }
    const CategoryResult* result(Module module) const;
    double progress(Module module) const { return progress_[module]; }
    std::int64_t liveFound(Module module) const { return liveFound_[module]; }
    bool isScanning(Module module) const { return tasks_[module] != 0; }
    bool anyScanRunning() const;

    // The ticked items of the module's targets, target by target in result order.
    std::vector<ScanItem> selectedItems(Module module) const;
    // How many of them there are and the bytes they take, without copying them.
    struct SelectedTotals {
        std::size_t count = 0;
        std::int64_t bytes = 0;
        bool operator==(const SelectedTotals&) const = default;
    };
    SelectedTotals selectedTotals(Module module) const;
    // Per target: the result's total where there is one, else the live count.
    std::int64_t foundBytes(Module module) const;
    // The module's own result total; absent without a result or when access was refused.
    std::optional<std::int64_t> scannedBytes(Module module) const;
    // Whether a clean started now would delete for good rather than move to the Trash (the
    // Trash's own items go for good either way): what the confirmation has to say.
    bool deletesImmediately() const { return services_.deleteImmediately(); }

    void refreshStats();
    void open(Module module, bool andScan);
    // Throws std::system_error when the system cannot start the scan's threads; the module and
    // its targets are then idle with no result.
    void scan(Module module);
    void cancelScan(Module module);
    void toggle(const ScanItem& item);
    void setSelected(bool on, const std::vector<ScanItem>& items);
    void clean(Module module);
    // Asks a running clean of the module to stop: the item in hand is finished, the items not
    // reached yet stay in their results and stay ticked, and the clean ends as usual, its summary
    // counting only what went and what failed. Does nothing when no such clean runs.
    void stopCleaning(Module module);
    void dismissSummary(Module module);

    // The keep list: the paths and patterns no scan offers and no clean removes, as stored
    // (platform/PathPatterns.h tells how they match).
    std::vector<std::string> keptPaths() const { return services_.keptPaths(); }
    // Keeps exactly `path` ("Never clean this") and returns its entry in the list. What it covers
    // leaves the results at once, with its tick, and comes back if that entry is taken off the
    // list again before another is added.
    std::string keepPath(const std::filesystem::path& path);
    // Keeps what `pattern` covers ("~/Projects/*/build"), with the same effect on the results.
    void keepPattern(const std::string& pattern);
    // Takes an entry off the list.
    void unkeep(const std::string& entry);

    // Whether a clean of this run moved items to the Trash that can still be put back: until
    // they are put back, another clean removes anything, or they leave the Trash (checked with
    // the disk figures). Never while a clean or an undo runs.
    bool canUndo() const { return undoRecord_.has_value() && !undoing_ && cleans_.empty(); }
    // Whether canUndo() and the clean to undo is the one of `module` (the smart scan's for all its
    // targets): what a screen's cleaned state may offer to undo.
    bool canUndo(Module module) const { return canUndo() && undoModule_ == module; }
    bool isUndoing() const { return undoing_; }
    // Puts back what the last clean moved to the Trash, as recorded (by this run or an earlier
    // one, as `quillo undo` does): never over anything that stands at an item's place now.
    // Returns at once; undoFinished tells what happened. The items put back return to the results
    // they were cleaned from in this run, unticked, and the Trash is scanned again where it was.
    // Does nothing while a clean or another undo runs.
    void undoLastClean();

Q_SIGNALS:
    void selectedModuleChanged();
    void selectionChanged();
    void storageChanged();
    void memoryChanged();
    void currentPathChanged();
    void phaseChanged(Module module);
    void resultChanged(Module module);
    void progressChanged(Module module);
    void liveFoundChanged(Module module);
    void keptPathsChanged();
    // canUndo() or isUndoing() changed.
    void undoChanged();
    void undoFinished(const UndoReport& report);

private:
    struct CleanRun;
    using TaskId = std::uint64_t;

    void setPhase(Module module, ScanPhase phase);
    void setResult(Module module, std::optional<CategoryResult> result);
    void setProgress(Module module, double fraction);
    void setLiveFound(Module module, std::int64_t bytes);
    void setCurrentPath(const std::string& path);
    void insertIntoSelection(const std::vector<ScanItem>& items, bool onlyRecommended = false);
    void removeFromSelection(const std::vector<ScanItem>& items);

    void cancelOverlappingScans(const std::vector<Module>& targets, Module starting);
    void cancelTask(Module startedBy);
    void apply(const ScanProgress& report, Module module);
    void finish(Module module, CategoryResult result);
    void finishScan(Module module);
    void resetLeaf(Module module);

    void cleanNextTarget(CleanRun& run);
    void applyCleanReport(CleanRun& run, Module target, const CleanReport& report, bool permanently);
    void finishClean(CleanRun& run);
    void recordClean(const CleanRun& run);

    void keep(const std::string& entry);
    void finishUndo(const UndoReport& report);
    void checkUndoStillPossible();

    // An item taken from a result by a clean or the keep list, and where it stood.
    struct TakenItem {
        Module target;
        std::size_t index = 0;
        ScanItem item;
    };
    // Puts items back where they stood in their results, where those results are still shown.
    void putBack(const std::vector<TakenItem>& taken);

    template <class T>
    using PerModule = std::array<T, Module::caseCount>;

    StoreServices services_;
    std::optional<Module> selectedModule_ = Module::smartScan;
    Selection selection_;
    StorageInfo storage_;
    MemoryInfo memory_;
    std::string currentPath_;
    PerModule<ScanPhase> phases_{};
    PerModule<std::optional<CategoryResult>> results_{};
    PerModule<double> progress_{};
    PerModule<std::int64_t> liveFound_{};
    // The running scan per module that started it (0: none). Cancelled tasks stay in
    // liveTasks_ until their drivers have returned.
    PerModule<TaskId> tasks_{};
    std::map<TaskId, std::unique_ptr<ScanTask>> liveTasks_;
    TaskId nextTaskId_ = 1;
    std::vector<std::unique_ptr<CleanRun>> cleans_;
    QTimer statsTimer_;
    // The last keep-list entry added, and what it took from the results.
    std::string lastKept_;
    std::vector<TakenItem> takenByLastKept_;
    // What this run's last clean moved to the Trash and may still put back, and the items.
    std::optional<LastClean> undoRecord_;
    // The module whose clean made the record.
    Module undoModule_ = Module::smartScan;
    std::vector<TakenItem> takenByLastClean_;
    bool undoing_ = false;
    std::jthread undoWorker_;
};
