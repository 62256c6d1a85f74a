#pragma once
// The one owner of the batch's hold on the CAD application: the connection, the time limit on every
// step that calls it (watchdog and hang response), and binding again when the application was lost.
// The batch asks it to connect, to run a step under the limit, and, after a drawing, whether the
// application is still there; everything about dying, hanging and starting again stays in here.
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <type_traits>

#include "processes/PlatformServices.h"
#include "automation/AutomationError.h"
#include "batch/BatchConsole.h"
#include "batch/CadConnection.h"
#include "batch/DrawingResult.h"
#include "batch/HangResponse.h"
#include "batch/Watchdog.h"

namespace korvane {

// The batch has ended its own process because the user's Solid Edge stopped answering. Where ending it
// returns (only where that is injected), this leaves the run from the step that noticed, so that
// nothing more is written or done, as if the process had ended.
struct BatchEnded {};

class CadSupervision {
public:
    struct Settings {
        std::chrono::seconds limit{600};
        std::wstring reportFile;                    // named in the notice when the batch ends itself
        std::function<void(int32_t)> endBatch;      // ends the process at once (BatchEnvironment::endProcess)
        size_t restartEvery = 30;                   // drawings opened before a started instance is replaced; 0 never
    };

    CadSupervision(std::wstring templatePath, BatchConsole& console, const PlatformServices& services,
                   const Settings& settings);

    CadConnection& cad() { return cad_; }

    // Connects under the limit; raises AutomationError or BatchEnded. Says once, when the application
    // is the user's, that it is not restarted.
    void connect(const CadConnection::Leftovers& leftovers, bool resumable);
    // Why the last step failed when the supervision ended the instance it waited for ("" otherwise).
    std::wstring endedInstanceReason() const { return hang_.endedInstance() ? hang_.reason() : std::wstring(); }

    // Runs one step that calls the CAD application under the time limit; `drawing` is the one under way
    // ("" for none), `resumable` whether this run's report exists for /fortsetzen. Raises BatchEnded,
    // whatever the step's outcome, once the batch has ended its own process.
    template <class Step>
    auto watched(const std::wstring& drawing, bool resumable, Step&& step) -> decltype(step()) {
        hang_.prepare(drawing, resumable, watchdog_.upcoming());
        Watchdog::Stretch stretch(watchdog_);
        try {
            if constexpr (std::is_void_v<decltype(step())>) {
                step();
                leaveIfEnded();
            } else {
                auto result = step();
                leaveIfEnded();
                return result;
            }
        } catch (const AutomationError&) {
            leaveIfEnded();
            throw;
        }
    }

    // After a drawing: when the application was lost on it (ended for not answering, or not answering
    // after a failure), the result says so and the batch binds again. Nothing when it goes on; the
    // failure when no application could be had again.
    std::optional<AutomationError> recoverAfter(DrawingResult& result, bool resumable);

    // Between two drawings: once the instance the batch started has opened restartEvery drawings, it is
    // ended and a fresh one started. A restart that fails is a lost application: bound again, and the
    // failure when none could be had.
    std::optional<AutomationError> restartIfDue(bool resumable);

private:
    void leaveIfEnded() const {
        if (hang_.endedBatch()) throw BatchEnded{};
    }
    std::optional<AutomationError> reconnect(bool resumable);

    // The watchdog goes last: it is destroyed first, before what its action uses.
    CadConnection cad_;
    BatchConsole& console_;
    size_t restartEvery_;
    bool restartDeferredSaid_ = false;
    HangResponse hang_;
    Watchdog watchdog_;
};

}  // namespace korvane
