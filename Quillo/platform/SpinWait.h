#pragma once

#include <chrono>

namespace platform {

// Tells the processor the thread is busy-waiting, so that the core's other thread and the memory
// bus get more of it.
void cpuRelax();

// Spins until `ready()` holds or `limit` has passed; true when it holds. For hand-overs between
// two threads that both stay on a core: sleeping and being woken costs tens of microseconds on
// virtual machines, a spin a fraction of one when the other side answers quickly.
template <class Ready>
bool spinUntil(Ready&& ready, std::chrono::nanoseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (unsigned round = 1;; ++round) {
        if (ready())
            return true;
        cpuRelax();
        if (round % 64 == 0 && std::chrono::steady_clock::now() >= deadline)
            return false;
    }
}

} // namespace platform
