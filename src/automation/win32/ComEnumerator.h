#pragma once
// A collection's items through its IEnumVARIANT, one at a time.
#include <windows.h>
#include <oaidl.h>

#include "automation/Dispatch.h"
#include "automation/win32/BindingObjects.h"
#include "automation/win32/ComPtr.h"

namespace korvane::com {

class ComEnumerator final : public Enumerator {
public:
    // The items' objects join the binding of the collection they came from.
    ComEnumerator(ComPtr<IEnumVARIANT> items, BindingObjects binding)
        : items_(std::move(items)), binding_(std::move(binding)) {}
    ~ComEnumerator() override;
    ComEnumerator(const ComEnumerator&) = delete;
    ComEnumerator& operator=(const ComEnumerator&) = delete;
    bool next(Variant& item) override;

private:
    ComPtr<IEnumVARIANT> items_;
    BindingObjects binding_;
};

}  // namespace korvane::com
