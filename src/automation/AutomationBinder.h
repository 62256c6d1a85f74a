#pragma once
// Binding to automation servers by programmatic identifier.
#include <memory>
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

// The platform's automation runtime (defined by its win32/ or posix/ implementation); nullptr where
// there is none, so that binding fails as an object that cannot be created (429).
std::shared_ptr<AutomationBinder> defaultAutomationBinder();

}  // namespace korvane
