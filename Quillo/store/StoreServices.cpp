// The store wired to the real scanners, cleaner, probes and preferences.
#include "store/StoreServices.h"

#include <memory>

#include "foundation/Preferences.h"
#include "platform/TrashRestore.h"
#include "records/PreferenceKeys.h"
#include "scan/routines/DeveloperJunk.h"
#include "scan/routines/DeviceBackups.h"
#include "scan/routines/Downloads.h"
#include "scan/routines/Duplicates.h"
#include "scan/routines/LargeFiles.h"
#include "scan/routines/Leftovers.h"
#include "scan/DiskScanner.h"
#include "scan/SystemAnswers.h"
#include "scan/apps/InstalledApps.h"
#include "scan/routines/SystemJunk.h"
#include "scan/routines/Trash.h"
#include "scan/routines/Uninstaller.h"
#include "services/Cleaner.h"
#include "services/LowSpaceAlert.h"
#include "store/LastClean.h"

namespace {

CategoryResult runLeaf(Module leaf, const ScanOptions& options, const ProgressSink& progress)
{
    switch (leaf) {
    case Module::systemJunk: return DiskScanner::systemJunk(progress);
    case Module::developerJunk: return DiskScanner::developerJunk(progress);
    case Module::trash: return DiskScanner::trash(progress);
    case Module::uninstaller: return DiskScanner::uninstaller(progress);
    case Module::leftovers: return DiskScanner::leftovers(progress);
    case Module::largeFiles: return DiskScanner::largeFiles(options.largeFileThreshold, progress);
    case Module::duplicates: return DiskScanner::duplicates(progress);
    case Module::downloads: return DiskScanner::downloads(options.oldDownloadDays, progress);
    case Module::iosBackups: return DiskScanner::iosBackups(progress);
    case Module::smartScan: break;
    }
    return {};
}

// Every routine, and every stage it hands its sink to, leaves out what the user keeps.
CategoryResult runRoutine(Module leaf, const ScanOptions& options, const ProgressSink& progress)
{
    auto kept = std::make_shared<const platform::PathPatterns>(options.keepPaths, DiskScanner::home());
    return runLeaf(leaf, options, progress.leavingOut(std::move(kept)));
}

Preferences& preferences() { return Preferences::standard(); }

} // namespace

StoreServices StoreServices::live()
{
    return StoreServices{
        .scan = runRoutine,
        .clean = [](const std::vector<ScanItem>& items, bool permanently, const platform::PathPatterns& kept,
                    std::stop_token stop) { return Cleaner::clean(items, permanently, std::move(stop), kept); },
        .restore = platform::restoreFromTrash,
        .storage = StorageInfo::current,
        .memory = MemoryInfo::current,
        .checkLowSpace = [](const StorageInfo& storage) { LowSpaceAlert::checkIfNeeded(storage); },
        .runningBundleIDs = DiskScanner::runningApplications,
        .scanOptions = ScanOptions::current,
        .deleteImmediately =
            [] { return preferences().boolValue(PreferenceKeys::deleteImmediately).value_or(false); },
        .keptPaths = [] { return preferences().stringListValue(PreferenceKeys::keepPaths).value_or(std::vector<std::string>{}); },
        .setKeptPaths = [](const std::vector<std::string>& paths) { preferences().setStringList(PreferenceKeys::keepPaths, paths); },
        .isStillTrashed = platform::isStillTrashed,
        .lastCleanRecord = LastClean::standardFile(),
    };
}
