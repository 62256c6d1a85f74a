#include "server/ApplicationClassFactory.h"

#include "automation/win32/ComPtr.h"
#include "comserver/ComBoundary.h"
#include "comserver/ServerObjects.h"

namespace edgesim::server {

ApplicationClassFactory::~ApplicationClassFactory() = default;

HRESULT ApplicationClassFactory::CreateInstance(IUnknown* outer, REFIID riid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    return korvane::com::comBoundary([&] {
        if (!simulator_->canStart()) {
            simulator_->noteBinding(L"CreateObject", kProgId, false, static_cast<int32_t>(CO_E_SERVER_EXEC_FAILURE));
            return CO_E_SERVER_EXEC_FAILURE;
        }
        auto application = korvane::com::ServerObjects::instance().wrap(simulator_->applicationDispatch());
        HRESULT hr = application->QueryInterface(riid, out);
        if (FAILED(hr)) return hr;
        simulator_->markStarted();
        simulator_->noteBinding(L"CreateObject", kProgId, true, 0);
        if (started_) started_();
        return S_OK;
    });
}

// The server lives until the application quits or is told to stop, locked or not.
HRESULT ApplicationClassFactory::LockServer(BOOL) { return S_OK; }

}  // namespace edgesim::server
