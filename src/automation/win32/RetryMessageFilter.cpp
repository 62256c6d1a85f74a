#include "automation/win32/RetryMessageFilter.h"

#include <utility>

#include "automation/win32/ComImplementation.h"
#include "automation/win32/ComObject.h"

namespace korvane::com {

namespace {

inline constexpr DWORD GiveUp = static_cast<DWORD>(-1);

thread_local const RetryMessageFilter* innermost = nullptr;

KORVANE_COM_IMPLEMENTATION_BEGIN
// NOLINTNEXTLINE(cppcoreguidelines-virtual-class-destructor): a COM object ends only through its last Release
class RetryPolicy final : public ComObject<RetryPolicy, IMessageFilter> {
public:
    explicit RetryPolicy(std::chrono::milliseconds bound) : bound_(bound) {}

    // This program serves nobody: incoming calls are simply handled.
    DWORD STDMETHODCALLTYPE HandleInComingCall(DWORD, HTASK, DWORD, LPINTERFACEINFO) override {
        return SERVERCALL_ISHANDLED;
    }
    DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK, DWORD elapsed, DWORD rejectType) override {
        return RetryMessageFilter::answer(rejectType, elapsed, bound_);
    }
    DWORD STDMETHODCALLTYPE MessagePending(HTASK, DWORD, DWORD) override { return PENDINGMSG_WAITDEFPROCESS; }

private:
    ~RetryPolicy() = default;
    friend ComObject;

    std::chrono::milliseconds bound_;
};
KORVANE_COM_IMPLEMENTATION_END

}  // namespace

DWORD RetryMessageFilter::answer(DWORD rejectType, DWORD elapsed, std::chrono::milliseconds bound) noexcept {
    if (rejectType != SERVERCALL_RETRYLATER) return GiveUp;
    auto pause = static_cast<DWORD>(RetryPause.count());
    if (static_cast<long long>(elapsed) + pause > bound.count()) return GiveUp;
    return pause;
}

const RetryMessageFilter* RetryMessageFilter::current() noexcept { return innermost; }

RetryMessageFilter::RetryMessageFilter(std::chrono::milliseconds bound)
    : bound_(bound),
      registration_(ComPtr<IMessageFilter>::adopt(new RetryPolicy(bound)).get()),
      outer_(std::exchange(innermost, this)) {}

RetryMessageFilter::~RetryMessageFilter() { innermost = outer_; }

}  // namespace korvane::com
