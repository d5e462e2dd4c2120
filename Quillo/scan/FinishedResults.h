#pragma once

#include <cstddef>

// The results of a scan's parallel pieces of work that wait to be taken, one at a time; taking
// one may make a progress report.
class FinishedResults {
public:
    // Takes up to `atMost` of the results finished by now, each only after the one before was
    // taken, and returns without waiting for more; true once the last result of all was taken.
    // Never called on two threads at once.
    virtual bool takeFinished(std::size_t atMost) = 0;

protected:
    ~FinishedResults() = default;
};
