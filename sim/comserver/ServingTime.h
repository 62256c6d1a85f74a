#pragma once
// The time this process spends serving calls, from the entry of a served call to its return, summed
// with their count, so that the performance report can tell the simulated application's own work from
// the cost of reaching it. Calls are served on the one thread of the apartment.
#include <chrono>
#include <cstdint>

#include "automation/win32/PerformanceTicks.h"

namespace korvane::com {

class ServingTime {
public:
    static ServingTime& instance();

    uint64_t calls() const noexcept { return calls_; }
    std::chrono::nanoseconds inside() const noexcept { return time_.total(); }

    // One served call, from construction to destruction; one inside another (a wrapper released while a
    // call is served) is part of the outer one's time and not counted again.
    class Call {
    public:
        Call() noexcept;
        ~Call();
        Call(const Call&) = delete;
        Call& operator=(const Call&) = delete;

    private:
        bool nested_;
        LONGLONG start_;
    };

private:
    ServingTime() noexcept = default;

    uint64_t calls_ = 0;
    unsigned depth_ = 0;
    PerformanceTicks time_;
};

}  // namespace korvane::com
