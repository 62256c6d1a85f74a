#pragma once
// IEnumVARIANT over the enumerator of a served collection.
#include <windows.h>
#include <oaidl.h>

#include <memory>

#include "automation/Dispatch.h"
#include "automation/win32/ComImplementation.h"
#include "automation/win32/ComObject.h"

namespace korvane::com {

KORVANE_COM_IMPLEMENTATION_BEGIN
// NOLINTNEXTLINE(cppcoreguidelines-virtual-class-destructor): a COM object ends only through its last Release
class EnumVariantServer final : public ComObject<EnumVariantServer, IEnumVARIANT> {
public:
    // One reference, owned by the creator. The collection is kept for Reset and Clone.
    EnumVariantServer(DispatchPtr collection, std::unique_ptr<Enumerator> items);

    // IEnumVARIANT
    HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* items, ULONG* fetched) override;
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override;
    HRESULT STDMETHODCALLTYPE Reset() override;
    HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** out) override;

private:
    ~EnumVariantServer() = default;
    friend ComObject;

    DispatchPtr collection_;
    std::unique_ptr<Enumerator> items_;
    ULONG position_ = 0;
};
KORVANE_COM_IMPLEMENTATION_END

}  // namespace korvane::com
