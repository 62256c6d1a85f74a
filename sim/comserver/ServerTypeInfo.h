#pragma once
// The least type information a served object can give: its interface id, so that callers can
// share what they learned about one object (the ids of member names) with every object of its kind.
#include <windows.h>
#include <oaidl.h>

#include "automation/win32/ComImplementation.h"
#include "automation/win32/ComObject.h"

namespace korvane::com {

KORVANE_COM_IMPLEMENTATION_BEGIN
// NOLINTNEXTLINE(cppcoreguidelines-virtual-class-destructor): a COM object ends only through its last Release
class ServerTypeInfo final : public ComObject<ServerTypeInfo, ITypeInfo> {
public:
    // A new object with one reference, owned by the caller.
    static ITypeInfo* create(const GUID& interfaceId);

    // ITypeInfo: only the type attributes; everything else is not offered.
    HRESULT STDMETHODCALLTYPE GetTypeAttr(TYPEATTR** attr) override;
    void STDMETHODCALLTYPE ReleaseTypeAttr(TYPEATTR* attr) override;
    HRESULT STDMETHODCALLTYPE GetTypeComp(ITypeComp** out) override;
    HRESULT STDMETHODCALLTYPE GetFuncDesc(UINT index, FUNCDESC** out) override;
    HRESULT STDMETHODCALLTYPE GetVarDesc(UINT index, VARDESC** out) override;
    HRESULT STDMETHODCALLTYPE GetNames(MEMBERID id, BSTR* names, UINT maxNames, UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetRefTypeOfImplType(UINT index, HREFTYPE* out) override;
    HRESULT STDMETHODCALLTYPE GetImplTypeFlags(UINT index, INT* flags) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(LPOLESTR* names, UINT count, MEMBERID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(PVOID instance, MEMBERID id, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* excep, UINT* argErr) override;
    HRESULT STDMETHODCALLTYPE GetDocumentation(MEMBERID id, BSTR* name, BSTR* doc, DWORD* helpContext,
                                               BSTR* helpFile) override;
    HRESULT STDMETHODCALLTYPE GetDllEntry(MEMBERID id, INVOKEKIND kind, BSTR* dll, BSTR* name,
                                          WORD* ordinal) override;
    HRESULT STDMETHODCALLTYPE GetRefTypeInfo(HREFTYPE ref, ITypeInfo** out) override;
    HRESULT STDMETHODCALLTYPE AddressOfMember(MEMBERID id, INVOKEKIND kind, PVOID* out) override;
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, PVOID* out) override;
    HRESULT STDMETHODCALLTYPE GetMops(MEMBERID id, BSTR* out) override;
    HRESULT STDMETHODCALLTYPE GetContainingTypeLib(ITypeLib** out, UINT* index) override;
    void STDMETHODCALLTYPE ReleaseFuncDesc(FUNCDESC* desc) override;
    void STDMETHODCALLTYPE ReleaseVarDesc(VARDESC* desc) override;

private:
    explicit ServerTypeInfo(const GUID& interfaceId) : interfaceId_(interfaceId) {}
    ~ServerTypeInfo() = default;
    friend ComObject;

    GUID interfaceId_;
};
KORVANE_COM_IMPLEMENTATION_END

}  // namespace korvane::com
