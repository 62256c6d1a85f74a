#pragma once
// The application object registered as the running object of its class (ACTIVEOBJECT_STRONG),
// so that GetActiveObject finds it, for the lifetime of the object.
#include <windows.h>
#include <oleauto.h>
#include <unknwn.h>

#include "automation/UniqueResource.h"

namespace edgesim::server {

inline void revokeRunningObject(DWORD cookie) noexcept { RevokeActiveObject(cookie, nullptr); }

class RunningObjectRegistration {
public:
    RunningObjectRegistration(const CLSID& clsid, IUnknown* object);

private:
    korvane::UniqueResource<DWORD, &revokeRunningObject> cookie_;
};

}  // namespace edgesim::server
