#pragma once
// IDispatch over a korvane::Dispatch: the object model of this process served to COM callers.
// Made only through ServerObjects::wrap, which keeps one wrapper per object.
#include <windows.h>
#include <oaidl.h>

#include "automation/Dispatch.h"
#include "automation/win32/ComImplementation.h"
#include "automation/win32/ComObject.h"

namespace korvane::com {

KORVANE_COM_IMPLEMENTATION_BEGIN
// NOLINTNEXTLINE(cppcoreguidelines-virtual-class-destructor): a COM object ends only through its last Release
class DispatchServer final : public ComObject<DispatchServer, IDispatch> {
public:
    // One reference, owned by the creator.
    explicit DispatchServer(DispatchPtr target);

    const DispatchPtr& target() const noexcept { return target_; }
    using ComObject::references;

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** out) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* excep, UINT* argErr) override;

private:
    ~DispatchServer();
    friend ComObject;
    HRESULT newEnum(VARIANT* result);

    DispatchPtr target_;
};
KORVANE_COM_IMPLEMENTATION_END

}  // namespace korvane::com
