#pragma once
// Binding to automation servers by programmatic identifier.
#include <string_view>

#include "automation/Dispatch.h"

namespace korvane {

class AutomationBinder {
public:
    virtual ~AutomationBinder() = default;
    // The running object registered for the identifier; raises when there is none.
    virtual Object getActiveObject(std::wstring_view progId) = 0;
    // A new instance of the identifier's class; raises when it cannot be created.
    virtual Object createObject(std::wstring_view progId) = 0;
};

}  // namespace korvane
