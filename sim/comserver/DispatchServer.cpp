#include "comserver/DispatchServer.h"

#include <new>
#include <string>
#include <vector>

#include "automation/AutomationError.h"
#include "automation/TextConvert.h"
#include "automation/win32/Bstr.h"
#include "automation/win32/ComErrors.h"
#include "automation/win32/ComVariant.h"
#include "comserver/ComBoundary.h"
#include "comserver/EnumVariantServer.h"
#include "comserver/ServerObjects.h"
#include "comserver/ServerTypeInfo.h"
#include "comserver/ServingTime.h"

namespace korvane::com {

namespace {

// The text slot of an argument passed by reference: a BSTR, either directly or inside a
// by-reference VARIANT. Null when the argument is not a text by reference.
BSTR* textSlotOf(VARIANTARG& arg) {
    if (arg.vt == (VT_BYREF | VT_BSTR)) return arg.pbstrVal;
    if (arg.vt == (VT_BYREF | VT_VARIANT) && arg.pvarVal && arg.pvarVal->vt == VT_BSTR)
        return &arg.pvarVal->bstrVal;
    return nullptr;
}

InvokeKind kindOf(WORD flags) {
    if ((flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0) return InvokeKind::PropertyPut;
    // Late-bound callers that want a result of a call pass METHOD | PROPERTYGET: a call.
    if ((flags & DISPATCH_METHOD) != 0) return InvokeKind::Method;
    return InvokeKind::PropertyGet;
}

// Runs in a handler, so it must not throw: a text that finds no memory stays null.
void fillException(EXCEPINFO* excep, const AutomationError& e) noexcept {
    *excep = EXCEPINFO{};
    excep->scode = hresultOfRuntimeNumber(e.number());
    excep->bstrDescription = SysAllocStringLen(e.description().data(), static_cast<UINT>(e.description().size()));
    excep->bstrSource = SysAllocStringLen(e.source().data(), static_cast<UINT>(e.source().size()));
}

// Arguments in declaration order, texts by reference bound to local texts that are written
// back into the caller's slots after the call, whether it succeeds or not.
class Arguments {
public:
    Arguments(DISPPARAMS& params, bool put) {
        UINT positional = params.cArgs - params.cNamedArgs;
        texts_.reserve(params.cArgs);
        // rgvarg holds the named arguments first, then the positional ones in reverse order.
        for (UINT i = 0; i < positional; ++i) add(params.rgvarg[params.cArgs - 1 - i]);
        if (put) add(params.rgvarg[0]);
    }
    ~Arguments() {
        for (size_t i = 0; i < slots_.size(); ++i) {
            BSTR fresh = SysAllocStringLen(texts_[i].data(), static_cast<UINT>(texts_[i].size()));
            if (!fresh) continue;  // out of memory: the caller keeps the old text
            SysFreeString(*slots_[i]);
            *slots_[i] = fresh;
        }
    }
    Arguments(const Arguments&) = delete;
    Arguments& operator=(const Arguments&) = delete;

    std::vector<Variant>& values() noexcept { return values_; }

private:
    void add(VARIANTARG& arg) {
        if (BSTR* slot = textSlotOf(arg)) {
            texts_.push_back(textOf(*slot));
            slots_.push_back(slot);
            values_.push_back(Variant::textRef(texts_.back()));
        } else {
            values_.push_back(fromComVariant(arg, ServerObjects::instance()));
        }
    }

    std::vector<Variant> values_;
    std::vector<std::wstring> texts_;  // reserved up front: the references into it stay valid
    std::vector<BSTR*> slots_;
};

}  // namespace

DispatchServer::DispatchServer(DispatchPtr target) : target_(std::move(target)) {}

// Reached only through the last Release: the wrapper leaves the registry with it, so that the next
// wrap of the same object makes a fresh wrapper instead of handing out this dead one.
// Ending the object's last reference is a served call of the caller's too (the release of its proxy), and
// may end a whole document with it.
DispatchServer::~DispatchServer() {
    const ServingTime::Call serving;
    ServerObjects::instance().forget(this);
    target_.reset();
}

HRESULT DispatchServer::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return comBoundary([&] {
        *count = ServerObjects::instance().typeOf(*target_) ? 1u : 0u;
        return S_OK;
    });
}

HRESULT DispatchServer::GetTypeInfo(UINT index, LCID, ITypeInfo** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    return comBoundary([&] {
        auto type = ServerObjects::instance().typeOf(*target_);
        if (!type || index != 0) return DISP_E_BADINDEX;
        *out = ServerTypeInfo::create(*type);
        return S_OK;
    });
}

HRESULT DispatchServer::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    const ServingTime::Call serving;
    if (!names || !ids) return E_POINTER;
    if (count == 0) return S_OK;
    // Only member names are known; names of parameters are not.
    for (UINT i = 1; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    try {
        ids[0] = target_->idOfName(names[0]);
    } catch (const AutomationError&) {
        if (equalsIgnoringCase(names[0], L"_NewEnum")) {
            ids[0] = DISPID_NEWENUM;
        } else {
            ids[0] = DISPID_UNKNOWN;
            return DISP_E_UNKNOWNNAME;
        }
    } catch (...) {
        ids[0] = DISPID_UNKNOWN;
        return hresultOfCurrentException();
    }
    return count > 1 ? DISP_E_UNKNOWNNAME : S_OK;
}

HRESULT DispatchServer::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                               EXCEPINFO* excep, UINT* argErr) {
    const ServingTime::Call serving;
    if (!params) return E_POINTER;
    if (argErr) *argErr = 0;
    InvokeKind kind = kindOf(flags);
    if (params->cNamedArgs > 0) {
        bool putValue = kind == InvokeKind::PropertyPut && params->cNamedArgs == 1 &&
                        params->rgdispidNamedArgs && params->rgdispidNamedArgs[0] == DISPID_PROPERTYPUT;
        if (!putValue) return DISP_E_NONAMEDARGS;
    } else if (kind == InvokeKind::PropertyPut) {
        return DISP_E_PARAMNOTOPTIONAL;
    }
    if (params->cArgs < params->cNamedArgs) return E_INVALIDARG;
    try {
        if (id == DISPID_NEWENUM && kind != InvokeKind::PropertyPut) return newEnum(result);
        Variant value;
        {
            Arguments args(*params, kind == InvokeKind::PropertyPut);
            value = target_->invoke(id, kind, args.values());
        }
        if (result) toComVariant(value, *result, ServerObjects::instance());
        return S_OK;
    } catch (const AutomationError& e) {
        if (!excep) return hresultOfRuntimeNumber(e.number());
        fillException(excep, e);
        return DISP_E_EXCEPTION;
    } catch (...) {
        return hresultOfCurrentException();
    }
}

HRESULT DispatchServer::newEnum(VARIANT* result) {
    auto items = target_->enumerate();
    if (!result) return S_OK;
    VariantInit(result);
    result->punkVal = new EnumVariantServer(target_, std::move(items));
    result->vt = VT_UNKNOWN;
    return S_OK;
}

}  // namespace korvane::com
