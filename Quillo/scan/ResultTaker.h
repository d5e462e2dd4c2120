#pragma once

#include "scan/FinishedResults.h"

// Lets whoever handles a sink's reports also take a scan's results, on its own thread: each
// report is then handled where it is made, instead of being handed over and waited for.
class ResultTaker {
public:
    // Called on a pool thread each time a piece of work finished.
    virtual void resultFinished() = 0;
    // Called on the scan's own thread, which waits in it: has every result of `results` taken
    // and returns then, or returns early once the scan was cancelled and `results` is no longer
    // in use elsewhere, leaving the rest to the caller.
    virtual void takeAll(FinishedResults& results) = 0;

protected:
    ~ResultTaker() = default;
};
