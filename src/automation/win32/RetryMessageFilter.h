#pragma once
// While alive, the thread's OLE message filter: calls that a busy server rejects with "retry later"
// are retried until the bound has passed, then given up so they fail with RPC_E_CALL_REJECTED.
// The filter that was registered before is put back at destruction.
//
// COM implementations that do not consult the filter (wine answers "retry later" by serving the call,
// and reports a rejection straight to the caller) are covered by ComDispatch: a call that comes back
// rejected is repeated under the same rule (retrying) while a filter is registered on the thread.
#include <windows.h>
#include <objidl.h>

#include <chrono>

#include "automation/win32/CallTiming.h"
#include "automation/win32/MessageFilterRegistration.h"

namespace korvane::com {

class RetryMessageFilter {
public:
    static constexpr std::chrono::milliseconds DefaultBound{20000};
    // Pause between two attempts; at least 100 ms, as COM waits only for values from 100 on.
    static constexpr std::chrono::milliseconds RetryPause{100};

    explicit RetryMessageFilter(std::chrono::milliseconds bound = DefaultBound);
    ~RetryMessageFilter();
    RetryMessageFilter(const RetryMessageFilter&) = delete;
    RetryMessageFilter& operator=(const RetryMessageFilter&) = delete;

    // What the filter answers COM for a rejected call: the pause before the next attempt, or
    // (DWORD)-1 to give up. elapsed is the time since the call was first made.
    static DWORD answer(DWORD rejectType, DWORD elapsed, std::chrono::milliseconds bound) noexcept;

    // Runs a call (returning its HRESULT) and repeats it while it comes back rejected, as long as the
    // filter registered last on this thread allows; without one the call runs once.
    template <class Call>
    static HRESULT retrying(Call call) {
        const CallTiming::Scope timing;
        const ULONGLONG start = GetTickCount64();
        for (;;) {
            HRESULT hr = call();
            if (hr != RPC_E_CALL_REJECTED && hr != RPC_E_SERVERCALL_RETRYLATER) return hr;
            const RetryMessageFilter* filter = current();
            if (!filter) return hr;
            auto elapsed = static_cast<DWORD>(GetTickCount64() - start);
            DWORD pause = answer(SERVERCALL_RETRYLATER, elapsed, filter->bound_);
            if (pause == static_cast<DWORD>(-1)) return RPC_E_CALL_REJECTED;
            Sleep(pause);
        }
    }
    // The filter registered last on this thread (null when none is).
    static const RetryMessageFilter* current() noexcept;

private:
    std::chrono::milliseconds bound_;
    // In this order: the policy is registered before this object becomes the thread's innermost
    // filter, and this object stops being innermost before the previous filter is put back.
    MessageFilterRegistration registration_;
    const RetryMessageFilter* outer_;
};

}  // namespace korvane::com
