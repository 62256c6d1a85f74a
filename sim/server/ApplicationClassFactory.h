#pragma once
// The class object of the simulated application: every instance a client creates is the one
// application object of this process (a CAD application runs once per process), counted as a start.
#include <windows.h>
#include <unknwn.h>

#include <atomic>
#include <functional>
#include <memory>

#include "automation/win32/ComImplementation.h"
#include "model/Simulator.h"

namespace edgesim::server {

KORVANE_COM_IMPLEMENTATION_BEGIN
class ApplicationClassFactory final : public IClassFactory {
public:
    // started: called after each instance handed out (the host registers the running object then).
    ApplicationClassFactory(std::shared_ptr<Simulator> simulator, std::function<void()> started)
        : simulator_(std::move(simulator)), started_(std::move(started)) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** out) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

private:
    ~ApplicationClassFactory() = default;

    std::atomic<ULONG> refs_{1};
    std::shared_ptr<Simulator> simulator_;
    std::function<void()> started_;
};
KORVANE_COM_IMPLEMENTATION_END

}  // namespace edgesim::server
