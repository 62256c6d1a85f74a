#include "server/MessageFilterRegistration.h"

#include "automation/win32/ComErrors.h"

namespace edgesim::server {

MessageFilterRegistration::MessageFilterRegistration(IMessageFilter* filter) {
    HRESULT hr = CoRegisterMessageFilter(filter, previous_.put());
    if (FAILED(hr)) korvane::com::raiseHResult(hr);
}

MessageFilterRegistration::~MessageFilterRegistration() {
    korvane::com::ComPtr<IMessageFilter> ours;
    CoRegisterMessageFilter(previous_.get(), ours.put());
}

}  // namespace edgesim::server
