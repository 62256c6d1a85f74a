#pragma once
// The server's OLE message filter: while the application is busy, incoming automation calls are
// answered with "retry later" (and counted), as a CAD application does while it works on a command.
// Under wine, which serves a call answered "retry later" all the same, they are rejected instead;
// the caller's retry then happens in ComDispatch (see RetryMessageFilter).
#include <windows.h>
#include <objidl.h>

#include <memory>

#include "automation/win32/ComImplementation.h"
#include "automation/win32/ComObject.h"
#include "model/Simulator.h"

namespace edgesim::server {

KORVANE_COM_IMPLEMENTATION_BEGIN
// NOLINTNEXTLINE(cppcoreguidelines-virtual-class-destructor): a COM object ends only through its last Release
class BusyMessageFilter final : public korvane::com::ComObject<BusyMessageFilter, IMessageFilter> {
public:
    explicit BusyMessageFilter(std::shared_ptr<Simulator> simulator);

    DWORD STDMETHODCALLTYPE HandleInComingCall(DWORD callType, HTASK caller, DWORD tickCount,
                                               LPINTERFACEINFO info) override;
    DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK, DWORD, DWORD) override { return static_cast<DWORD>(-1); }
    DWORD STDMETHODCALLTYPE MessagePending(HTASK, DWORD, DWORD) override { return PENDINGMSG_WAITDEFPROCESS; }

private:
    ~BusyMessageFilter() = default;
    friend ComObject;

    std::shared_ptr<Simulator> simulator_;
    DWORD busyAnswer_;
};
KORVANE_COM_IMPLEMENTATION_END

}  // namespace edgesim::server
