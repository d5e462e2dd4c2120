#pragma once

#include <oneapi/tbb/task_arena.h>

namespace platform {

// The shared background pool: a work-stealing arena as wide as the machine. Work spawned into it
// keeps every core busy even when the thread that spawned it only waits for results (a scan's
// driver thread does), which the default arena would not: it counts the caller as one of its
// workers.
tbb::task_arena& workPool();

} // namespace platform
