#pragma once
// IDispatch over a korvane::Dispatch: the object model of this process served to COM callers.
// Made only through ServerObjects::wrap, which keeps one wrapper per object.
#include <windows.h>
#include <oaidl.h>

#include <atomic>

#include "automation/Dispatch.h"
#include "automation/win32/ComImplementation.h"

namespace korvane::com {

KORVANE_COM_IMPLEMENTATION_BEGIN
class DispatchServer final : public IDispatch {
public:
    // One reference, owned by the creator.
    explicit DispatchServer(DispatchPtr target);

    const DispatchPtr& target() const noexcept { return target_; }
    ULONG references() const noexcept { return refs_; }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** out) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* excep, UINT* argErr) override;

private:
    ~DispatchServer() = default;
    HRESULT newEnum(VARIANT* result);

    std::atomic<ULONG> refs_{1};
    DispatchPtr target_;
};
KORVANE_COM_IMPLEMENTATION_END

}  // namespace korvane::com
