#pragma once
// The objects of one binding as they arrive from calls: each is talked to through a ComDispatch that
// shares the binding's name cache, so that a name is looked up once per type for the whole binding.
#include <windows.h>
#include <oaidl.h>

#include <memory>

#include "automation/win32/ComVariant.h"

namespace korvane::com {

class NameCache;

class BindingObjects final : public ObjectBridge {
public:
    explicit BindingObjects(std::shared_ptr<NameCache> names) noexcept : names_(std::move(names)) {}

    DispatchPtr importObject(IDispatch* object) override;

    NameCache& names() const noexcept { return *names_; }

private:
    std::shared_ptr<NameCache> names_;
};

}  // namespace korvane::com
