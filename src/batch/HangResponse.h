#pragma once
// What the batch does when Solid Edge has not answered within the time limit: the watchdog's action,
// run on the watchdog's thread while the batch still waits in the call, which cannot be cancelled.
// An instance the batch started itself is ended: the waiting call then fails as at a crash, and the
// batch records the drawing as failed, puts it back from its backup and starts a new instance. A
// Solid Edge the user had running is never ended, since it may hold their unsaved work; the batch
// says on the console what to do and ends itself at once, as no call into that Solid Edge can be
// left behind safely. Its report holds every finished drawing already, and the one under way as
// "in Arbeit", which a run with /fortsetzen puts back from its backup and does again.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "batch/BatchConsole.h"
#include "batch/Watchdog.h"
#include "processes/ProcessTable.h"

namespace korvane {

class HangResponse {
public:
    struct Settings {
        std::chrono::seconds limit{600};
        std::wstring reportFile;
        // The process of the instance the batch started, 0 for the user's Solid Edge (read when the
        // limit is reached, as a connection may start an instance while it is watched).
        std::function<uint32_t()> startedProcess = [] { return 0u; };
        // Ends the batch's own process with that exit code at once, without unwinding; the batch's
        // main thread is still blocked in the call.
        std::function<void(int32_t)> endBatch;
    };

    HangResponse(BatchConsole& console, std::shared_ptr<ProcessTable> processes, Settings settings);

    // Before the watchdog is armed: the drawing under way ("" while connecting), whether the report
    // of this run exists yet, so that /fortsetzen can carry on from it, and the watchdog's stretch
    // about to begin (Watchdog::upcoming()).
    void prepare(std::wstring drawing, bool resumable, Watchdog::Generation stretch);
    // The watchdog's action for that stretch. One for an earlier stretch does nothing: the instance
    // now is another drawing's, and what it says would name the wrong one.
    void operator()(Watchdog::Generation stretch);

    // In the stretch prepared last: the batch's own instance was ended. Since prepare(): the batch was
    // told to end itself.
    bool endedInstance() const;
    bool endedBatch() const { return endedBatch_; }
    // The report's words for a drawing whose instance was ended.
    std::wstring reason() const;

private:
    std::wstring userNotice() const;

    BatchConsole& console_;
    std::shared_ptr<ProcessTable> processes_;
    Settings settings_;
    mutable std::mutex mutex_;
    std::wstring drawing_;
    bool resumable_ = false;
    Watchdog::Generation stretch_ = 0;
    Watchdog::Generation endedInstanceIn_ = 0;  // the stretch whose action ended the instance
    std::atomic<bool> endedBatch_{false};
};

}  // namespace korvane
