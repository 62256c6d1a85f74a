#pragma once
// The class object registered with COM (REGCLS_MULTIPLEUSE) for the lifetime of the object.
#include <windows.h>
#include <unknwn.h>

namespace edgesim::server {

class ClassObjectRegistration {
public:
    ClassObjectRegistration(const CLSID& clsid, IUnknown* classObject);
    ~ClassObjectRegistration();
    ClassObjectRegistration(const ClassObjectRegistration&) = delete;
    ClassObjectRegistration& operator=(const ClassObjectRegistration&) = delete;

private:
    DWORD cookie_ = 0;
};

}  // namespace edgesim::server
