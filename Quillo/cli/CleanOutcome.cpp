#include "cli/CleanOutcome.h"

StoreServices CleanOutcome::noting(StoreServices services)
{
    services.clean = [this, clean = services.clean](const std::vector<ScanItem>& items, bool permanently,
                                                    const platform::PathPatterns& kept, std::stop_token stop) {
        CleanReport report = clean(items, permanently, kept, std::move(stop));
        for (const auto& url : report.removedURLs)
            removed_[url] = permanently;
        for (std::size_t i = 0; i < report.failedURLs.size(); ++i)
            failureReasons_[report.failedURLs[i]] = i < report.failureReasons.size() ? report.failureReasons[i] : "";
        (permanently ? deletedBytes_ : trashedBytes_) += report.freedBytes;
        return report;
    };
    services.runningBundleIDs = [this, runningNow = services.runningBundleIDs] { return running_ = runningNow(); };
    return services;
}

bool CleanOutcome::isRunning(const ScanItem& item) const
{
    return item.bundleID && running_.contains(*item.bundleID);
}

CleanOutcome::Result CleanOutcome::result(const ScanItem& item) const
{
    if (removed_.contains(item.url))
        return Result::removed;
    if (failureReasons_.contains(item.url) || isRunning(item))
        return Result::failed;
    return Result::notReached;
}

std::string CleanOutcome::reason(const ScanItem& item) const
{
    if (auto found = failureReasons_.find(item.url); found != failureReasons_.end())
        return found->second;
    return isRunning(item) ? "its application is running" : "";
}

bool CleanOutcome::deletedForGood(const ScanItem& item) const
{
    const auto found = removed_.find(item.url);
    return found != removed_.end() && found->second;
}
