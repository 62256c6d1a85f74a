#pragma once
// Wall time summed over many short stretches, counted by the performance counter: the call timings of
// the automation port and of the simulated application's server share it.
#include <windows.h>

#include <chrono>

namespace korvane::com {

class PerformanceTicks {
public:
    PerformanceTicks() noexcept;

    static LONGLONG now() noexcept;
    // Adds the stretch from `start` (a value of now()) to now.
    void addSince(LONGLONG start) noexcept { ticks_ += now() - start; }
    std::chrono::nanoseconds total() const noexcept;

private:
    LONGLONG ticks_ = 0;
    LONGLONG frequency_ = 1;
};

}  // namespace korvane::com
