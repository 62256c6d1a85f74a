#include "comserver/EnumVariantServer.h"

#include <new>

#include "automation/AutomationError.h"
#include "automation/win32/ComErrors.h"
#include "automation/win32/ComVariant.h"
#include "comserver/ServerObjects.h"

namespace korvane::com {

EnumVariantServer::EnumVariantServer(DispatchPtr collection, std::unique_ptr<Enumerator> items)
    : collection_(std::move(collection)), items_(std::move(items)) {}

HRESULT EnumVariantServer::Next(ULONG count, VARIANT* items, ULONG* fetched) {
    if (!items) return E_POINTER;
    ULONG done = 0;
    try {
        Variant item;
        while (done < count && items_->next(item)) {
            toComVariant(item, items[done], ServerObjects::instance());
            ++done;
            ++position_;
        }
    } catch (const AutomationError& e) {
        for (ULONG i = 0; i < done; ++i) VariantClear(&items[i]);
        if (fetched) *fetched = 0;
        return hresultOfRuntimeNumber(e.number());
    } catch (const std::bad_alloc&) {
        for (ULONG i = 0; i < done; ++i) VariantClear(&items[i]);
        if (fetched) *fetched = 0;
        return E_OUTOFMEMORY;
    }
    if (fetched) *fetched = done;
    return done == count ? S_OK : S_FALSE;
}

HRESULT EnumVariantServer::Skip(ULONG count) {
    try {
        Variant item;
        for (ULONG i = 0; i < count; ++i) {
            if (!items_->next(item)) return S_FALSE;
            ++position_;
        }
        return S_OK;
    } catch (const AutomationError& e) {
        return hresultOfRuntimeNumber(e.number());
    }
}

HRESULT EnumVariantServer::Reset() {
    try {
        items_ = collection_->enumerate();
        position_ = 0;
        return S_OK;
    } catch (const AutomationError& e) {
        return hresultOfRuntimeNumber(e.number());
    }
}

HRESULT EnumVariantServer::Clone(IEnumVARIANT** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    try {
        auto* copy = new EnumVariantServer(collection_, collection_->enumerate());
        HRESULT hr = copy->Skip(position_);
        if (FAILED(hr)) {
            copy->Release();
            return hr;
        }
        *out = copy;
        return S_OK;
    } catch (const AutomationError& e) {
        return hresultOfRuntimeNumber(e.number());
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

}  // namespace korvane::com
