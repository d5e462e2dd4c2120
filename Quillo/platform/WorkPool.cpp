#include "platform/WorkPool.h"

#include <oneapi/tbb/global_control.h>
#include <oneapi/tbb/info.h>

namespace platform {

tbb::task_arena& workPool()
{
    static const int cores = tbb::info::default_concurrency();
    // Workers for every core, plus the callers that join; the default leaves one core to a
    // caller that may never join.
    static tbb::global_control workers(tbb::global_control::max_allowed_parallelism, cores + 1);
    static tbb::task_arena arena(cores, 0);
    return arena;
}

} // namespace platform
