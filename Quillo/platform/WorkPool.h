#pragma once

#include <oneapi/tbb/task_arena.h>

namespace platform {

// The shared background pool: a work-stealing arena as wide as the machine. Work spawned into it
// keeps every core busy even when the thread that spawned it only waits for results (a scan's
// driver thread does), which the default arena would not: it counts the caller as one of its
// workers.
tbb::task_arena& workPool();

// The worker threads the pool was given: as many as there are cores, unless a limit on threads
// (ulimit -u) let fewer start. With none, work spawned into the pool runs only while a caller
// waits for it inside the pool, so callers that wait outside it must do the work themselves.
int workPoolWorkers();

} // namespace platform
