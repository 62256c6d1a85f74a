#include "server/BusyMessageFilter.h"

#include <oaidl.h>

namespace edgesim::server {

namespace {

bool runsUnderWine() {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

}  // namespace

BusyMessageFilter::BusyMessageFilter(std::shared_ptr<Simulator> simulator)
    : simulator_(std::move(simulator)), busyAnswer_(runsUnderWine() ? SERVERCALL_REJECTED : SERVERCALL_RETRYLATER) {}

DWORD BusyMessageFilter::HandleInComingCall(DWORD callType, HTASK, DWORD, LPINTERFACEINFO info) {
    if (callType == CALLTYPE_ASYNC || callType == CALLTYPE_ASYNC_CALLPENDING) return SERVERCALL_ISHANDLED;
    // Only automation calls are turned away; COM's own bookkeeping (releases, interface queries)
    // must go through, or callers could not let go of their references while the application works.
    bool automation = info && (info->iid == IID_IDispatch || info->iid == IID_IEnumVARIANT);
    // No exception may leave for COM; a call the simulator cannot judge is served.
    try {
        if (!automation || !simulator_->isBusy()) return SERVERCALL_ISHANDLED;
        simulator_->noteRejectedCall();
        return busyAnswer_;
    } catch (...) {
        return SERVERCALL_ISHANDLED;
    }
}

}  // namespace edgesim::server
