#pragma once
// The application object registered as the running object of its class (ACTIVEOBJECT_STRONG),
// so that GetActiveObject finds it, for the lifetime of the object.
#include <windows.h>
#include <unknwn.h>

namespace edgesim::server {

class RunningObjectRegistration {
public:
    RunningObjectRegistration(const CLSID& clsid, IUnknown* object);
    ~RunningObjectRegistration();
    RunningObjectRegistration(const RunningObjectRegistration&) = delete;
    RunningObjectRegistration& operator=(const RunningObjectRegistration&) = delete;

private:
    DWORD cookie_ = 0;
};

}  // namespace edgesim::server
