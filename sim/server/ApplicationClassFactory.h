#pragma once
// The class object of the simulated application: every instance a client creates is the one
// application object of this process (a CAD application runs once per process), counted as a start.
#include <windows.h>
#include <unknwn.h>

#include <functional>
#include <memory>

#include "automation/win32/ComImplementation.h"
#include "automation/win32/ComObject.h"
#include "model/Simulator.h"

namespace edgesim::server {

KORVANE_COM_IMPLEMENTATION_BEGIN
// NOLINTNEXTLINE(cppcoreguidelines-virtual-class-destructor): a COM object ends only through its last Release
class ApplicationClassFactory final : public korvane::com::ComObject<ApplicationClassFactory, IClassFactory> {
public:
    // started: called after each instance handed out (the host registers the running object then).
    ApplicationClassFactory(std::shared_ptr<Simulator> simulator, std::function<void()> started)
        : simulator_(std::move(simulator)), started_(std::move(started)) {}

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** out) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

private:
    // Out of line: inlined, GCC 12 (-O3) folds it into a speculatively devirtualised Release of
    // the host's other COM objects and reports -Warray-bounds for that never-taken path.
    ~ApplicationClassFactory();
    friend ComObject;

    std::shared_ptr<Simulator> simulator_;
    std::function<void()> started_;
};
KORVANE_COM_IMPLEMENTATION_END

}  // namespace edgesim::server
