#pragma once
// Binding by programmatic identifier through COM: the running object table, or a new instance.
// Every object bound here, and every object reached from one, shares the binder's name cache.
#include <memory>

#include "automation/AutomationBinder.h"

namespace korvane::com {

class NameCache;

class ComBinder final : public AutomationBinder {
public:
    ComBinder();

    Object getActiveObject(std::wstring_view progId) override;
    Object createObject(std::wstring_view progId) override;

private:
    std::shared_ptr<NameCache> names_;
};

}  // namespace korvane::com
