#include "automation/win32/MessageFilterRegistration.h"

#include "automation/win32/ComErrors.h"

namespace korvane::com {

MessageFilterRegistration::MessageFilterRegistration(IMessageFilter* filter) {
    HRESULT hr = CoRegisterMessageFilter(filter, previous_.put());
    if (FAILED(hr)) raiseHResult(hr);
}

MessageFilterRegistration::~MessageFilterRegistration() {
    ComPtr<IMessageFilter> ours;
    CoRegisterMessageFilter(previous_.get(), ours.put());
}

}  // namespace korvane::com
