#pragma once
// KORVANE_BATCH_TRACE=FILE: where each drawing's time goes, for the performance report (batch/BatchTrace.h).
// With the variable set this owns the trace and the timing of the CAD calls on the thread that makes them
// all (com::CallTiming), and the trace's lines go to FILE; without it there is neither, and the run is
// the plain one.
#include <optional>
#include <string>

#include "automation/win32/CallTiming.h"
#include "batch/BatchTrace.h"

namespace korvane {

class BatchTraceFile {
public:
    // Reads the variable; to be made on the thread that calls the CAD application.
    BatchTraceFile();
    BatchTraceFile(const BatchTraceFile&) = delete;
    BatchTraceFile& operator=(const BatchTraceFile&) = delete;

    // The trace the run reports to; null without the variable.
    BatchTrace* trace() { return trace_ ? &*trace_ : nullptr; }

private:
    std::optional<com::CallTiming> timing_;
    std::optional<BatchTrace> trace_;
};

}  // namespace korvane
