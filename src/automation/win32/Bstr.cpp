#include "automation/win32/Bstr.h"

#include <new>

namespace korvane::com {

Bstr::Bstr(std::wstring_view text) : b_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {
    if (!b_) throw std::bad_alloc();
}

Bstr Bstr::adopt(BSTR b) noexcept {
    Bstr r;
    r.b_.reset(b);
    return r;
}

std::wstring Bstr::text() const { return textOf(b_.get()); }

std::wstring textOf(BSTR b) { return b ? std::wstring(b, SysStringLen(b)) : std::wstring(); }

}  // namespace korvane::com
