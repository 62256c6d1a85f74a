#include "server/ClassObjectRegistration.h"

#include <objbase.h>

#include "automation/win32/ComErrors.h"

namespace edgesim::server {

ClassObjectRegistration::ClassObjectRegistration(const CLSID& clsid, IUnknown* classObject) {
    HRESULT hr = CoRegisterClassObject(clsid, classObject, CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE, cookie_.put());
    if (FAILED(hr)) korvane::com::raiseHResult(hr);
}

}  // namespace edgesim::server
