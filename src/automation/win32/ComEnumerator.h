#pragma once
// A collection's items through its IEnumVARIANT, one at a time.
#include <windows.h>
#include <oaidl.h>

#include "automation/Dispatch.h"
#include "automation/win32/ComPtr.h"

namespace korvane::com {

class ComEnumerator final : public Enumerator {
public:
    explicit ComEnumerator(ComPtr<IEnumVARIANT> items) : items_(std::move(items)) {}
    bool next(Variant& item) override;

private:
    ComPtr<IEnumVARIANT> items_;
};

}  // namespace korvane::com
