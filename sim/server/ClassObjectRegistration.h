#pragma once
// The class object registered with COM (REGCLS_MULTIPLEUSE) for the lifetime of the object.
#include <windows.h>
#include <objbase.h>
#include <unknwn.h>

#include "automation/UniqueResource.h"

namespace edgesim::server {

class ClassObjectRegistration {
public:
    ClassObjectRegistration(const CLSID& clsid, IUnknown* classObject);

private:
    korvane::UniqueResource<DWORD, &CoRevokeClassObject> cookie_;
};

}  // namespace edgesim::server
