#include "comserver/EnumVariantServer.h"

#include "automation/win32/ComPtr.h"
#include "automation/win32/ComVariant.h"
#include "comserver/ComBoundary.h"
#include "comserver/ServerObjects.h"
#include "comserver/ServingTime.h"

namespace korvane::com {

EnumVariantServer::EnumVariantServer(DispatchPtr collection, std::unique_ptr<Enumerator> items)
    : collection_(std::move(collection)), items_(std::move(items)) {}

HRESULT EnumVariantServer::Next(ULONG count, VARIANT* items, ULONG* fetched) {
    const ServingTime::Call serving;
    if (!items) return E_POINTER;
    ULONG done = 0;
    try {
        Variant item;
        while (done < count && items_->next(item)) {
            toComVariant(item, items[done], ServerObjects::instance());
            ++done;
            ++position_;
        }
    } catch (...) {
        for (ULONG i = 0; i < done; ++i) VariantClear(&items[i]);
        if (fetched) *fetched = 0;
        return hresultOfCurrentException();
    }
    if (fetched) *fetched = done;
    return done == count ? S_OK : S_FALSE;
}

HRESULT EnumVariantServer::Skip(ULONG count) {
    return comBoundary([&] {
        Variant item;
        for (ULONG i = 0; i < count; ++i) {
            if (!items_->next(item)) return S_FALSE;
            ++position_;
        }
        return S_OK;
    });
}

HRESULT EnumVariantServer::Reset() {
    return comBoundary([&] {
        items_ = collection_->enumerate();
        position_ = 0;
        return S_OK;
    });
}

HRESULT EnumVariantServer::Clone(IEnumVARIANT** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    return comBoundary([&] {
        auto copy = ComPtr<IEnumVARIANT>::adopt(new EnumVariantServer(collection_, collection_->enumerate()));
        HRESULT hr = copy->Skip(position_);
        if (SUCCEEDED(hr)) *out = copy.detach();
        return hr;
    });
}

}  // namespace korvane::com
