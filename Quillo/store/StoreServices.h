#pragma once

#include <filesystem>
#include <functional>
#include <set>
#include <stop_token>
#include <string>
#include <vector>

#include "records/CategoryResult.h"
#include "records/Module.h"
#include "platform/PathPatterns.h"
#include "platform/Trash.h"
#include "records/ScanOptions.h"
#include "scan/ProgressSink.h"
#include "services/CleanReport.h"
#include "services/MemoryInfo.h"
#include "services/StorageInfo.h"

// Everything the store asks of the rest of the system. `live()` wires the real scan routines,
// cleaner, probes and preferences; tests hand in fakes.
struct StoreServices {
    // Runs the scan routine of a leaf module. Called on a driver thread, never on the GUI thread.
    std::function<CategoryResult(Module leaf, const ScanOptions& options, const ProgressSink& progress)> scan;
    // Removes items, never what `kept` covers; called off the GUI thread, one call at a time per
    // clean. Stops between items once `stop` is requested, leaving the rest out of its report.
    std::function<CleanReport(const std::vector<ScanItem>& items, bool permanently, const platform::PathPatterns& kept,
                              std::stop_token stop)>
        clean;
    // Puts a Trash entry back where it was (platform::restoreFromTrash); called off the GUI thread.
    std::function<platform::Outcome(const platform::TrashEntry& entry)> restore;
    // The rest are called on the GUI thread.
    std::function<StorageInfo()> storage;
    std::function<MemoryInfo()> memory;
    std::function<void(const StorageInfo&)> checkLowSpace;
    std::function<std::set<std::string, std::less<>>()> runningBundleIDs;
    std::function<ScanOptions()> scanOptions;
    std::function<bool()> deleteImmediately;
    // The keep list as stored (the keepPaths preference), and storing a new one.
    std::function<std::vector<std::string>()> keptPaths;
    std::function<void(const std::vector<std::string>&)> setKeptPaths;
    // Whether an entry of the last clean is still in the Trash to be put back.
    std::function<bool(const platform::TrashEntry& entry)> isStillTrashed;
    // Where the last clean is recorded for undoing it (LastClean.h).
    std::filesystem::path lastCleanRecord;

    static StoreServices live();
};
