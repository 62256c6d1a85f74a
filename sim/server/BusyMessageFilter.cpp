#include "server/BusyMessageFilter.h"

namespace edgesim::server {

HRESULT BusyMessageFilter::QueryInterface(REFIID riid, void** out) {
    if (!out) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IMessageFilter) {
        *out = static_cast<IMessageFilter*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG BusyMessageFilter::Release() {
    ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
}

DWORD BusyMessageFilter::HandleInComingCall(DWORD callType, HTASK, DWORD, LPINTERFACEINFO) {
    // Releases and other bookkeeping of COM itself arrive as asynchronous calls: never turned away.
    if (callType == CALLTYPE_ASYNC || callType == CALLTYPE_ASYNC_CALLPENDING) return SERVERCALL_ISHANDLED;
    if (!simulator_->isBusy()) return SERVERCALL_ISHANDLED;
    simulator_->noteRejectedCall();
    return SERVERCALL_RETRYLATER;
}

}  // namespace edgesim::server
