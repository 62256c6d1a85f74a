#include "automation/win32/Apartment.h"

#include <objbase.h>

#include "automation/win32/ComErrors.h"

namespace korvane::com {

Apartment::Apartment() {
    HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    // S_FALSE: the thread was already in an STA; the call still needs its CoUninitialize.
    if (FAILED(hr)) raiseHResult(hr);
    entered_ = true;
}

Apartment::~Apartment() {
    if (entered_) CoUninitialize();
}

}  // namespace korvane::com
