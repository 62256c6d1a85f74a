#include "server/RunningObjectRegistration.h"

#include <oleauto.h>

#include "automation/win32/ComErrors.h"

namespace edgesim::server {

RunningObjectRegistration::RunningObjectRegistration(const CLSID& clsid, IUnknown* object) {
    HRESULT hr = RegisterActiveObject(object, clsid, ACTIVEOBJECT_STRONG, cookie_.put());
    if (FAILED(hr)) korvane::com::raiseHResult(hr);
}

}  // namespace edgesim::server
