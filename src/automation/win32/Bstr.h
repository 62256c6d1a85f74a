#pragma once
// Owning BSTR: SysAllocStringLen on construction, SysFreeString on destruction.
#include <windows.h>
#include <oleauto.h>

#include <string>
#include <string_view>

namespace korvane::com {

class Bstr {
public:
    Bstr() noexcept = default;
    explicit Bstr(std::wstring_view text);
    Bstr(Bstr&& other) noexcept;
    Bstr& operator=(Bstr&& other) noexcept;
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    ~Bstr();

    // Takes over a BSTR the caller owns.
    static Bstr adopt(BSTR b) noexcept;

    BSTR get() const noexcept { return b_; }
    // The address for an out parameter; whatever was held is freed first.
    BSTR* put() noexcept;
    // The address for an in-out parameter: the text stays, the callee may replace it.
    BSTR* address() noexcept { return &b_; }
    BSTR detach() noexcept;
    // The text, embedded nulls kept; a null BSTR is the empty text.
    std::wstring text() const;

private:
    BSTR b_ = nullptr;
};

// The text of a BSTR that is not ours (null is the empty text).
std::wstring textOf(BSTR b);

}  // namespace korvane::com
