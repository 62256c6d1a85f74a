#pragma once
// While alive, counts the calls this thread makes into other processes' objects and the wall time
// spent inside them, for the batch's trace of where a drawing's time goes. Every cross-process call
// of the automation port (member calls, name and type look-ups, enumeration, the release of a remote
// object) is one Scope. With no CallTiming on the thread a Scope costs one read of a thread-local
// pointer and nothing is counted.
#include <chrono>
#include <cstdint>

#include "automation/win32/PerformanceTicks.h"

namespace korvane::com {

class CallTiming {
public:
    CallTiming() noexcept;
    ~CallTiming();
    CallTiming(const CallTiming&) = delete;
    CallTiming& operator=(const CallTiming&) = delete;

    uint64_t calls() const noexcept { return calls_; }
    std::chrono::nanoseconds inside() const noexcept { return time_.total(); }

    // One call, from construction to destruction.
    class Scope {
    public:
        Scope() noexcept;
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        CallTiming* timing_;
        LONGLONG start_ = 0;
    };

private:
    uint64_t calls_ = 0;
    PerformanceTicks time_;
    CallTiming* outer_;
};

}  // namespace korvane::com
