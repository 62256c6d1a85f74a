#pragma once
// IUnknown for a COM object that offers one interface: a thread-safe reference count that starts
// at one (owned by the creator) and ends the object with its last Release. Objects end only there,
// so Derived keeps its destructor private and befriends this class.
#include <windows.h>
#include <unknwn.h>

#include <atomic>

#include "automation/win32/ComImplementation.h"

namespace korvane::com {

KORVANE_COM_IMPLEMENTATION_BEGIN
template <class Derived, class Interface>
class ComObject : public Interface {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (!out) return E_POINTER;
        if (riid == IID_IUnknown || riid == __uuidof(Interface)) {
            *out = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override {
        ULONG left = --refs_;
        if (left == 0) delete static_cast<Derived*>(this);
        return left;
    }

protected:
    ComObject() = default;
    ~ComObject() = default;

    ULONG references() const noexcept { return refs_; }

private:
    std::atomic<ULONG> refs_{1};
};
KORVANE_COM_IMPLEMENTATION_END

}  // namespace korvane::com
