#include "automation/win32/Bstr.h"

#include <new>
#include <utility>

namespace korvane::com {

Bstr::Bstr(std::wstring_view text) : b_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {
    if (!b_) throw std::bad_alloc();
}

Bstr::Bstr(Bstr&& other) noexcept : b_(std::exchange(other.b_, nullptr)) {}

Bstr& Bstr::operator=(Bstr&& other) noexcept {
    if (this != &other) {
        SysFreeString(b_);
        b_ = std::exchange(other.b_, nullptr);
    }
    return *this;
}

Bstr::~Bstr() { SysFreeString(b_); }

Bstr Bstr::adopt(BSTR b) noexcept {
    Bstr r;
    r.b_ = b;
    return r;
}

BSTR* Bstr::put() noexcept {
    SysFreeString(std::exchange(b_, nullptr));
    return &b_;
}

BSTR Bstr::detach() noexcept { return std::exchange(b_, nullptr); }

std::wstring Bstr::text() const { return textOf(b_); }

std::wstring textOf(BSTR b) { return b ? std::wstring(b, SysStringLen(b)) : std::wstring(); }

}  // namespace korvane::com
