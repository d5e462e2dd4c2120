#pragma once

#include <cstddef>
#include <map>
#include <type_traits>
#include <utility>

#include <oneapi/tbb/concurrent_queue.h>
#include <oneapi/tbb/task_group.h>

#include "platform/WorkPool.h"

// A scan's independent pieces of work run on the shared pool while the scan's own thread takes
// their results one at a time. A result is taken only after `take` returned for the one before,
// so `take` may wait for a progress report to be shown without holding up the work.
// Precondition for both: called from a thread outside the work pool (a scan's own thread), since
// they wait for results without working on them.
namespace DiskScanner {

namespace detail {

enum class TakeOrder { asFinished, byIndex };

template <class Work, class Take>
void runOnPool(std::size_t count, Work& work, Take& take, TakeOrder order)
{
    using Result = std::invoke_result_t<Work&, std::size_t>;
    tbb::concurrent_bounded_queue<std::pair<std::size_t, Result>> finished;
    tbb::task_group group;
    auto& pool = platform::workPool();
    pool.execute([&] {
        for (std::size_t index = 0; index < count; ++index)
            group.run([&, index] { finished.push({index, work(index)}); });
    });

    // Results that finished ahead of one with a lower index, when taken by index.
    std::map<std::size_t, Result> early;
    std::size_t nextIndex = 0;
    for (std::size_t received = 0; received < count; ++received) {
        std::pair<std::size_t, Result> result;
        finished.pop(result);
        if (order == TakeOrder::asFinished) {
            take(result.first, std::move(result.second));
            continue;
        }
        early.emplace(std::move(result));
        for (auto first = early.begin(); first != early.end() && first->first == nextIndex; first = early.begin()) {
            take(nextIndex++, std::move(first->second));
            early.erase(first);
        }
    }
    pool.execute([&] { group.wait(); });
}

} // namespace detail

// Runs `work(i)` for every i below `count`, all started at once, and calls `take(i, result)` for
// each in the order they finish.
template <class Work, class Take>
void takeAsFinished(std::size_t count, Work work, Take take)
{
    detail::runOnPool(count, work, take, detail::TakeOrder::asFinished);
}

// The same, with the results taken in the order of i: each as soon as it and all before it are
// done, so the sequence of calls to `take` never depends on scheduling.
template <class Work, class Take>
void takeInOrder(std::size_t count, Work work, Take take)
{
    detail::runOnPool(count, work, take, detail::TakeOrder::byIndex);
}

} // namespace DiskScanner
