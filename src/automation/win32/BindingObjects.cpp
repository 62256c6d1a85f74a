#include "automation/win32/BindingObjects.h"

#include "automation/win32/ComDispatch.h"
#include "automation/win32/ComPtr.h"

namespace korvane::com {

DispatchPtr BindingObjects::importObject(IDispatch* object) {
    return std::make_shared<ComDispatch>(ComPtr<IDispatch>::share(object), names_);
}

}  // namespace korvane::com
