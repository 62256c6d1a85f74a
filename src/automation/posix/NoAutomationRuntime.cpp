// A POSIX host has no COM: there is nothing to bind to or start, so the binding of the CAD access
// fails the way it does on Windows when the class is not registered.
#include "automation/AutomationBinder.h"

namespace korvane {

std::shared_ptr<AutomationBinder> defaultAutomationBinder() { return nullptr; }

}  // namespace korvane
