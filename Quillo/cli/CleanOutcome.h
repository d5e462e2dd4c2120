#pragma once

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "records/ScanItem.h"
#include "store/StoreServices.h"

// What became of each ticked item of one clean, and how much went each way: the store's summary
// counts items and bytes, but a command line names each item that stayed and says why, and tells
// what went to the Trash apart from what was deleted. Noted from the store's own services as they
// answer it, so the store cleans exactly as it does for the window.
class CleanOutcome {
public:
    enum class Result { removed, failed, notReached };

    // `services` with every clean report and the running applications noted here. The store
    // calls the cleaner on a worker thread and reads its report on its own thread afterwards, so
    // the notes are complete (and no longer written) once the clean has finished.
    StoreServices noting(StoreServices services);

    // Once the clean has finished: what became of a ticked item. An item the cleaner did not
    // report, nor the store refused for its running application, was not reached (the clean was
    // stopped).
    Result result(const ScanItem& item) const;
    // Why a failed item stayed.
    std::string reason(const ScanItem& item) const;
    // Whether a removed item was deleted rather than moved to the Trash.
    bool deletedForGood(const ScanItem& item) const;

    // What the cleaner reports as freed, by the way it went.
    std::int64_t trashedBytes() const { return trashedBytes_; }
    std::int64_t deletedBytes() const { return deletedBytes_; }

private:
    bool isRunning(const ScanItem& item) const;

    // Removed items, by location: whether they were deleted for good.
    std::map<std::filesystem::path, bool> removed_;
    std::map<std::filesystem::path, std::string> failureReasons_;
    std::set<std::string, std::less<>> running_;
    std::int64_t trashedBytes_ = 0;
    std::int64_t deletedBytes_ = 0;
};
