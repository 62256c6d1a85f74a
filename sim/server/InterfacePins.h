#pragma once
// Keeps the interfaces EdgeSim serves registered with the RPC runtime for the whole run.
//
// COM registers an interface with the RPC runtime while any object is exported through it, and when
// the last such export ends it unregisters the interface, waiting for the interface's calls in
// progress. Wine 8 can miss the wake-up of that wait when the reply of the interface's last call is
// still being finished on an RPC thread: the apartment's thread, which must serve every later call,
// then waits for ever, and EdgeSim and its caller both sit idle. The end of every enumeration
// (IEnumVARIANT) and of every type information (ITypeInfo) a caller let go used to be such a moment.
// One table-strong marshal per interface, held until the server ends, keeps the count above zero,
// so the wait never happens.
#include <windows.h>
#include <objidl.h>

#include <vector>

#include "automation/win32/ComPtr.h"

namespace edgesim::server {

class InterfacePins {
public:
    InterfacePins() = default;
    ~InterfacePins();
    InterfacePins(const InterfacePins&) = delete;
    InterfacePins& operator=(const InterfacePins&) = delete;

    // Marshals `object` as `iid` into a stream of our own and keeps that until the end. Raises the
    // HRESULT as an AutomationError when COM refuses.
    void pin(REFIID iid, IUnknown* object);

private:
    std::vector<korvane::com::ComPtr<IStream>> marshals_;
};

}  // namespace edgesim::server
