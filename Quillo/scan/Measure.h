#pragma once

#include <vector>

#include "records/ScanItem.h"
#include "scan/Candidate.h"
#include "scan/ProgressSink.h"

namespace DiskScanner {

struct MeasureOptions {
    // Keep the candidates that take no space (empty files and folders, links) with size 0, as long
    // as they are still there; by default they are dropped.
    bool keepEmpty = false;
};

// The scanning engine's shared stage: measures every candidate concurrently on the shared work
// pool, drops what takes no space (see MeasureOptions) and every candidate that is, or holds,
// something the scan leaves out (ProgressSink::leftOut; an extra location that is, or holds, such
// a thing is dropped from its candidate), fills in missing dates, and returns the
// items largest first (a stable sort: equal sizes keep the order their measurements finished in). Reports once per candidate in the order measurements
// finish, waiting for each report to return before taking the next result, dropped candidates
// included; an empty list reports once with fraction 1.0 and an empty path. After a stop request,
// candidates not yet measured are dropped but still reported.
// Precondition: called from a thread outside the work pool (a scan's own thread), since it
// waits for results without working on them.
std::vector<ScanItem> measure(std::vector<Candidate> candidates, const ProgressSink& progress,
                              MeasureOptions options = {});

} // namespace DiskScanner
