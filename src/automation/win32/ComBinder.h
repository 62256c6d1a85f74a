#pragma once
// Binding by programmatic identifier through COM: the running object table, or a new instance.
#include "automation/AutomationBinder.h"

namespace korvane::com {

class ComBinder final : public AutomationBinder {
public:
    Object getActiveObject(std::wstring_view progId) override;
    Object createObject(std::wstring_view progId) override;
};

}  // namespace korvane::com
