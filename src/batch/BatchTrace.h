#pragma once
// Where a drawing's time goes, for scripts/bench: when the batch runs with KORVANE_BATCH_TRACE naming a
// file, the entry point makes one BatchTrace and the run reports to it. The file gets, per drawing,
//   drawing <number> <wall µs> <CAD calls> <µs inside CAD calls> <µs of backup I/O>
// (the backup copy and its comparisons, a put-back from the backup), and, at the start and at the end
// of the run and between two drawings, the time of a series of trivial calls, from which the round trip
// of one call follows:
//   round-trip <start|between|end> <calls> <µs>
// The CAD calls are counted at the automation port by the platform (on Windows com::CallTiming).
// Without the variable there is no BatchTrace and the run is the plain one.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "automation/Dispatch.h"
#include "batch/Stopwatch.h"

namespace korvane {

class BatchTrace {
public:
    struct CadCalls {
        uint64_t count = 0;
        std::chrono::nanoseconds inside{0};
    };
    // cadCalls: the calls counted so far and the time inside them; write: appends one line (without
    // its end) to the trace file.
    BatchTrace(std::function<CadCalls()> cadCalls, std::function<void(const std::string&)> write,
               Stopwatch::Clock now = &Stopwatch::steadyNow);

    // Makes `calls` trivial calls (the application's version) and writes their count and time.
    void probeRoundTrip(const Object& application, int calls, const char* when);

    // Where DrawingJob notes the time of its backup I/O.
    Stopwatch& backupIo() noexcept { return backup_; }

    void drawingStarted();
    void drawingEnded(size_t number);

private:
    std::function<CadCalls()> cadCalls_;
    std::function<void(const std::string&)> write_;
    Stopwatch backup_;
    std::chrono::nanoseconds started_{0};
    CadCalls cadAtStart_;
    std::chrono::nanoseconds backupAtStart_{0};
};

}  // namespace korvane
