#pragma once

#include "platform/FileDescriptor.h"

namespace platform {

// While it lives, SIGINT and SIGTERM ask the program to stop instead of ending it: the first of
// them makes `fd()` readable (its handler only writes a byte to a pipe, one of the few things a
// handler may safely do) and gives both signals back what they did before, so that a second one
// ends the program as usual. Dropping it restores them too. Signals the program ignores stay
// ignored. At most one lives at a time.
class StopSignals {
public:
    StopSignals();
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // Readable once a signal came; -1 when no pipe could be made, and then the signals keep
    // their usual effect.
    int fd() const { return readEnd_.get(); }

private:
    FileDescriptor readEnd_;
    FileDescriptor writeEnd_;
};

} // namespace platform
