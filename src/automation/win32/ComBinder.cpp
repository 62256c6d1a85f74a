#include "automation/win32/ComBinder.h"

#include <objbase.h>
#include <oleauto.h>

#include <memory>
#include <string>

#include "automation/win32/ComDispatch.h"
#include "automation/win32/ComErrors.h"
#include "automation/win32/ComPtr.h"
#include "automation/win32/NameCache.h"

namespace korvane::com {

namespace {

CLSID classOf(std::wstring_view progId) {
    std::wstring id(progId);
    CLSID clsid{};
    HRESULT hr = CLSIDFromProgID(id.c_str(), &clsid);
    if (FAILED(hr)) raiseHResult(hr);
    return clsid;
}

Object objectOf(ComPtr<IDispatch> object, const std::shared_ptr<NameCache>& names) {
    return Object(std::make_shared<ComDispatch>(std::move(object), names));
}

}  // namespace

ComBinder::ComBinder() : names_(std::make_shared<NameCache>()) {}

Object ComBinder::getActiveObject(std::wstring_view progId) {
    CLSID clsid = classOf(progId);
    ComPtr<IUnknown> running;
    HRESULT hr = GetActiveObject(clsid, nullptr, running.put());
    if (FAILED(hr)) raiseHResult(hr);
    ComPtr<IDispatch> object;
    hr = running->QueryInterface(IID_IDispatch, object.putVoid());
    if (FAILED(hr)) raiseHResult(hr);
    return objectOf(std::move(object), names_);
}

Object ComBinder::createObject(std::wstring_view progId) {
    CLSID clsid = classOf(progId);
    ComPtr<IDispatch> object;
    HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER | CLSCTX_INPROC_SERVER, IID_IDispatch,
                                  object.putVoid());
    if (FAILED(hr)) raiseHResult(hr);
    return objectOf(std::move(object), names_);
}

}  // namespace korvane::com

namespace korvane {

std::shared_ptr<AutomationBinder> defaultAutomationBinder() { return std::make_shared<com::ComBinder>(); }

}  // namespace korvane
