#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

#include <oneapi/tbb/task_group.h>

#include "platform/WorkPool.h"

// A scan's independent pieces of work run on the shared pool while their results are taken one
// at a time: a result is taken only after `take` returned for the one before, so `take` may wait
// for a progress report to be shown without holding up the work. The calling thread takes them,
// unless whoever runs the scan has named a ResultTaker for it (below).
//
// Every piece delivers: one that fails (an exception, such as running out of memory) delivers a
// value-initialised result, which stands for "nothing found", and the room for every result is
// made before any work starts, so the caller never waits for a result that cannot come.
// Precondition for both: called from a thread outside the work pool (a scan's own thread), since
// they wait for results without working on them.
namespace DiskScanner {

// The results of one run of pool work that are still to be taken.
class PendingResults {
public:
    struct Taken {
        std::size_t count = 0;
        // The last result of all is taken.
        bool all = false;
    };
    // Takes, one after another, up to `atMost` of the results finished by now, without waiting
    // for more. Never called on two threads at once.
    virtual Taken takeFinished(std::size_t atMost) = 0;

protected:
    ~PendingResults() = default;
};

// Takes the results of the pool work started on one thread on another thread: the one where
// that thread's progress reports are applied, so that a report made while taking needs no
// hand-over between threads. Routines never see it; whoever runs a routine names it for the
// routine's thread (a Scope), and the pool helpers below hand their results to it.
class ResultTaker {
public:
    // On the thread that started the work, which waits in it: returns once every result was
    // taken, or early, once `results` is no longer in use elsewhere, leaving the rest to it.
    virtual void takeAll(PendingResults& results) = 0;

    // The taker named for the calling thread, or null.
    static ResultTaker* forThisThread() { return current(); }

    // Names `taker` for the calling thread while it lives.
    class Scope {
    public:
        explicit Scope(ResultTaker& taker) : previous_(std::exchange(current(), &taker)) {}
        ~Scope() { current() = previous_; }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        ResultTaker* previous_;
    };

protected:
    ~ResultTaker() = default;

private:
    static ResultTaker*& current()
    {
        thread_local ResultTaker* taker = nullptr;
        return taker;
    }
};

namespace detail {

template <class Work>
auto runGuarded(Work& work, std::size_t index) noexcept -> std::invoke_result_t<Work&, std::size_t>
{
    try {
        return work(index);
    } catch (...) {
        return {};
    }
}

// The results of `count` pieces of work, by index and in the order they finished.
template <class Result>
class Deliveries {
public:
    explicit Deliveries(std::size_t count)
        : results_(count), done_(std::make_unique<Flag[]>(count)), finishOrder_(count),
          published_(std::make_unique<Flag[]>(count))
    {
    }

    // From the pool, once per index; never fails.
    template <class Work>
    void deliver(Work& work, std::size_t index) noexcept
    {
        results_[index] = runGuarded(work, index);
        raise(done_[index]);
        const std::size_t slot = finished_.fetch_add(1, std::memory_order_relaxed);
        finishOrder_[slot] = index;
        raise(published_[slot]);
    }

    // The index of the `n`th piece to finish, once it has.
    std::size_t nthFinished(std::size_t n) const
    {
        published_[n].wait(0, std::memory_order_acquire);
        return finishOrder_[n];
    }

    bool hasFinished(std::size_t n) const { return published_[n].load(std::memory_order_acquire) != 0; }
    bool isDone(std::size_t index) const { return done_[index].load(std::memory_order_acquire) != 0; }

    // The result of piece `index`, once it is done; taken only once.
    Result take(std::size_t index)
    {
        done_[index].wait(0, std::memory_order_acquire);
        return std::move(results_[index]);
    }

private:
    using Flag = std::atomic<std::uint32_t>;

    static void raise(Flag& flag) noexcept
    {
        flag.store(1, std::memory_order_release);
        flag.notify_one();
    }

    std::vector<Result> results_;
    std::unique_ptr<Flag[]> done_;
    std::vector<std::size_t> finishOrder_;
    std::unique_ptr<Flag[]> published_;
    std::atomic<std::size_t> finished_{0};
};

enum class TakeOrder { asFinished, byIndex };

// Takes the results of one run in order, on whichever thread holds it at the time.
template <class Result, class Take>
class Taking final : public PendingResults {
public:
    Taking(Deliveries<Result>& deliveries, Take& take, TakeOrder order, std::size_t count)
        : deliveries_(deliveries), take_(take), order_(order), count_(count)
    {
    }

    Taken takeFinished(std::size_t atMost) override
    {
        std::size_t count = 0;
        for (; count < atMost && taken_ < count_ && nextIsReady(); ++count)
            takeNext();
        return {count, taken_ == count_};
    }

    // Takes the results not taken yet, waiting for each.
    void takeRest()
    {
        while (taken_ < count_)
            takeNext();
    }

private:
    bool nextIsReady() const
    {
        return order_ == TakeOrder::byIndex ? deliveries_.isDone(taken_) : deliveries_.hasFinished(taken_);
    }

    void takeNext()
    {
        const std::size_t index = order_ == TakeOrder::byIndex ? taken_ : deliveries_.nthFinished(taken_);
        ++taken_;
        take_(index, deliveries_.take(index));
    }

    Deliveries<Result>& deliveries_;
    Take& take_;
    const TakeOrder order_;
    const std::size_t count_;
    std::size_t taken_ = 0;
};

template <class Work, class Take>
void runOnPool(std::size_t count, Work& work, Take& take, TakeOrder order)
{
    // Without workers nothing would run while this thread waits: the work is done here, in order.
    if (platform::workPoolWorkers() == 0) {
        for (std::size_t index = 0; index < count; ++index)
            take(index, runGuarded(work, index));
        return;
    }
    using Result = std::invoke_result_t<Work&, std::size_t>;
    Deliveries<Result> deliveries(count);
    tbb::task_group group;
    auto& pool = platform::workPool();
    // The pieces refer to what lives here: whatever happens below, they end before it goes.
    struct Joiner {
        tbb::task_group& group;
        ~Joiner()
        {
            platform::workPool().execute([&] { group.wait(); });
        }
    } joiner{group};
    std::size_t started = 0;
    try {
        pool.execute([&] {
            for (; started < count; ++started)
                group.run([&deliveries, &work, index = started] { deliveries.deliver(work, index); });
        });
    } catch (...) {
        // No memory for more tasks: the pieces already started are taken, the rest count as failed.
    }
    Taking<Result, Take> taking(deliveries, take, order, started);
    if (ResultTaker* taker = ResultTaker::forThisThread())
        taker->takeAll(taking);
    taking.takeRest();
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
