#pragma once

#include <cstddef>
#include <map>
#include <type_traits>
#include <utility>

#include <oneapi/tbb/concurrent_queue.h>
#include <oneapi/tbb/task_group.h>

#include "platform/WorkPool.h"
#include "scan/FinishedResults.h"
#include "scan/ProgressSink.h"
#include "scan/ResultTaker.h"

// A scan's independent pieces of work run on the shared pool while their results are taken one
// at a time: a result is taken only after `take` returned for the one before, so `take` may wait
// for a progress report to be shown without holding up the work. The results are taken by the
// sink's taker when it has one (on the thread that shows the reports, which spares a hand-over
// per report), else by the calling thread.
// Precondition for both: called from a thread outside the work pool (a scan's own thread), since
// they wait for results without working on them.
namespace DiskScanner {

namespace detail {

enum class TakeOrder { asFinished, byIndex };

// The results of one run, taken in `order` by whichever thread holds them at the time.
template <class Result, class Take>
class Taking final : public FinishedResults {
public:
    Taking(std::size_t count, Take& take, TakeOrder order) : count_(count), take_(take), order_(order) {}

    // From the pool.
    void push(std::size_t index, Result result) { finished_.push({index, std::move(result)}); }

    bool takeFinished(std::size_t atMost) override
    {
        Finished result;
        for (std::size_t taken = 0; taken < atMost && received_ < count_ && finished_.try_pop(result); ++taken)
            receive(std::move(result));
        return received_ == count_;
    }

    // Takes the results not taken yet, waiting for each.
    void takeRest()
    {
        Finished result;
        while (received_ < count_) {
            finished_.pop(result);
            receive(std::move(result));
        }
    }

private:
    using Finished = std::pair<std::size_t, Result>;

    void receive(Finished result)
    {
        ++received_;
        if (order_ == TakeOrder::asFinished) {
            take_(result.first, std::move(result.second));
            return;
        }
        early_.emplace(std::move(result));
        for (auto first = early_.begin(); first != early_.end() && first->first == nextIndex_; first = early_.begin()) {
            take_(nextIndex_++, std::move(first->second));
            early_.erase(first);
        }
    }

    const std::size_t count_;
    Take& take_;
    const TakeOrder order_;
    tbb::concurrent_bounded_queue<Finished> finished_;
    std::size_t received_ = 0;
    // Results that finished ahead of one with a lower index, when taken by index.
    std::map<std::size_t, Result> early_;
    std::size_t nextIndex_ = 0;
};

template <class Work, class Take>
void runOnPool(std::size_t count, Work& work, Take& take, TakeOrder order, const ProgressSink& progress)
{
    using Result = std::invoke_result_t<Work&, std::size_t>;
    Taking<Result, Take> taking(count, take, order);
    ResultTaker* taker = progress.taker();
    tbb::task_group group;
    auto& pool = platform::workPool();
    pool.execute([&] {
        for (std::size_t index = 0; index < count; ++index) {
            group.run([&, index] {
                taking.push(index, work(index));
                if (taker)
                    taker->resultFinished();
            });
        }
    });
    if (taker)
        taker->takeAll(taking);
    taking.takeRest();
    pool.execute([&] { group.wait(); });
}

} // namespace detail

// Runs `work(i)` for every i below `count`, all started at once, and calls `take(i, result)` for
// each in the order they finish. `progress` is the sink `take` reports to.
template <class Work, class Take>
void takeAsFinished(std::size_t count, Work work, Take take, const ProgressSink& progress)
{
    detail::runOnPool(count, work, take, detail::TakeOrder::asFinished, progress);
}

// The same, with the results taken in the order of i: each as soon as it and all before it are
// done, so the sequence of calls to `take` never depends on scheduling.
template <class Work, class Take>
void takeInOrder(std::size_t count, Work work, Take take, const ProgressSink& progress)
{
    detail::runOnPool(count, work, take, detail::TakeOrder::byIndex, progress);
}

} // namespace DiskScanner
