#include "platform/WorkPool.h"

#include <algorithm>
#include <latch>
#include <system_error>
#include <thread>
#include <vector>

#include <oneapi/tbb/global_control.h>
#include <oneapi/tbb/info.h>

namespace platform {

namespace {

// How many threads, up to `wanted`, the system lets this process start at once right now. The
// pool must not ask for workers it cannot have: oneTBB aborts the process when a worker fails to
// start another.
int startableThreads(int wanted)
{
    std::latch allStarted(wanted);
    std::vector<std::jthread> probes;
    for (int i = 0; i < wanted; ++i) {
        try {
            probes.emplace_back([&] { allStarted.arrive_and_wait(); });
        } catch (const std::system_error&) {
            allStarted.count_down(wanted - i);
            break;
        }
    }
    return static_cast<int>(probes.size());
}

int workers()
{
    static const int count = startableThreads(tbb::info::default_concurrency());
    return count;
}

} // namespace

tbb::task_arena& workPool()
{
    // Workers for every core, plus the callers that join; the default leaves one core to a
    // caller that may never join.
    static tbb::global_control limit(tbb::global_control::max_allowed_parallelism, workers() + 1);
    static tbb::task_arena arena(std::max(workers(), 1), 0);
    return arena;
}

int workPoolWorkers()
{
    workPool();
    return workers();
}

} // namespace platform
