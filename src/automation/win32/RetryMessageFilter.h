#pragma once
// While alive, the thread's OLE message filter: calls that a busy server rejects with "retry later"
// are retried until the bound has passed, then given up so they fail with RPC_E_CALL_REJECTED.
// The filter that was registered before is put back at destruction.
#include <windows.h>
#include <objidl.h>

#include <chrono>

#include "automation/win32/ComPtr.h"

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

private:
    ComPtr<IMessageFilter> previous_;
    bool registered_ = false;
};

}  // namespace korvane::com
