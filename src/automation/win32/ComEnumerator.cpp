#include "automation/win32/ComEnumerator.h"

#include "automation/win32/CallTiming.h"
#include "automation/win32/ComErrors.h"
#include "automation/win32/ComVariant.h"
#include "automation/win32/RetryMessageFilter.h"
#include "automation/win32/VariantHolder.h"

namespace korvane::com {

// The last reference to the server's enumerator goes back to it in a call of its own.
ComEnumerator::~ComEnumerator() {
    const CallTiming::Scope timing;
    items_.reset();
}

bool ComEnumerator::next(Variant& item) {
    VariantHolder value;
    ULONG fetched = 0;
    HRESULT hr = RetryMessageFilter::retrying([&] { return items_->Next(1, value.put(), &fetched); });
    if (FAILED(hr)) raiseHResult(hr);
    if (hr != S_OK || fetched == 0) return false;
    item = fromComVariant(*value.get(), binding_);
    return true;
}

}  // namespace korvane::com
