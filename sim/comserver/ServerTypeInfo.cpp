#include "comserver/ServerTypeInfo.h"

#include <new>

namespace korvane::com {

ITypeInfo* ServerTypeInfo::create(const GUID& interfaceId) { return new ServerTypeInfo(interfaceId); }

HRESULT ServerTypeInfo::GetTypeAttr(TYPEATTR** attr) {
    if (!attr) return E_POINTER;
    // cppcheck-suppress legacyUninitvar ; value-initialised by the braces, cppcheck misreads placement-new syntax
    auto* a = new (std::nothrow) TYPEATTR{};
    if (!a) return E_OUTOFMEMORY;
    a->guid = interfaceId_;
    a->lcid = LOCALE_NEUTRAL;
    a->memidConstructor = MEMBERID_NIL;
    a->memidDestructor = MEMBERID_NIL;
    a->cbSizeVft = static_cast<WORD>(7 * sizeof(void*));  // the IDispatch table
    a->cbSizeInstance = sizeof(void*);
    a->cbAlignment = alignof(void*);
    a->typekind = TKIND_DISPATCH;
    a->tdescAlias.vt = VT_EMPTY;
    *attr = a;
    return S_OK;
}

void ServerTypeInfo::ReleaseTypeAttr(TYPEATTR* attr) { delete attr; }

HRESULT ServerTypeInfo::GetTypeComp(ITypeComp** out) {
    if (out) *out = nullptr;
    return E_NOTIMPL;
}
HRESULT ServerTypeInfo::GetFuncDesc(UINT, FUNCDESC** out) {
    if (out) *out = nullptr;
    return TYPE_E_ELEMENTNOTFOUND;
}
HRESULT ServerTypeInfo::GetVarDesc(UINT, VARDESC** out) {
    if (out) *out = nullptr;
    return TYPE_E_ELEMENTNOTFOUND;
}
HRESULT ServerTypeInfo::GetNames(MEMBERID, BSTR*, UINT, UINT* count) {
    if (count) *count = 0;
    return TYPE_E_ELEMENTNOTFOUND;
}
HRESULT ServerTypeInfo::GetRefTypeOfImplType(UINT, HREFTYPE*) { return TYPE_E_ELEMENTNOTFOUND; }
HRESULT ServerTypeInfo::GetImplTypeFlags(UINT, INT*) { return TYPE_E_ELEMENTNOTFOUND; }
HRESULT ServerTypeInfo::GetIDsOfNames(LPOLESTR*, UINT count, MEMBERID* ids) {
    for (UINT i = 0; ids && i < count; ++i) ids[i] = MEMBERID_NIL;
    return DISP_E_UNKNOWNNAME;
}
HRESULT ServerTypeInfo::Invoke(PVOID, MEMBERID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
    return E_NOTIMPL;
}
HRESULT ServerTypeInfo::GetDocumentation(MEMBERID, BSTR* name, BSTR* doc, DWORD* helpContext, BSTR* helpFile) {
    if (name) *name = nullptr;
    if (doc) *doc = nullptr;
    if (helpContext) *helpContext = 0;
    if (helpFile) *helpFile = nullptr;
    return TYPE_E_ELEMENTNOTFOUND;
}
HRESULT ServerTypeInfo::GetDllEntry(MEMBERID, INVOKEKIND, BSTR*, BSTR*, WORD*) { return TYPE_E_BADMODULEKIND; }
HRESULT ServerTypeInfo::GetRefTypeInfo(HREFTYPE, ITypeInfo** out) {
    if (out) *out = nullptr;
    return TYPE_E_ELEMENTNOTFOUND;
}
HRESULT ServerTypeInfo::AddressOfMember(MEMBERID, INVOKEKIND, PVOID* out) {
    if (out) *out = nullptr;
    return TYPE_E_BADMODULEKIND;
}
HRESULT ServerTypeInfo::CreateInstance(IUnknown*, REFIID, PVOID* out) {
    if (out) *out = nullptr;
    return TYPE_E_BADMODULEKIND;
}
HRESULT ServerTypeInfo::GetMops(MEMBERID, BSTR* out) {
    if (out) *out = nullptr;
    return S_OK;
}
HRESULT ServerTypeInfo::GetContainingTypeLib(ITypeLib** out, UINT* index) {
    if (out) *out = nullptr;
    if (index) *index = 0;
    return E_NOTIMPL;
}
void ServerTypeInfo::ReleaseFuncDesc(FUNCDESC*) {}
void ServerTypeInfo::ReleaseVarDesc(VARDESC*) {}

}  // namespace korvane::com
