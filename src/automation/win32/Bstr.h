#pragma once
// Owning BSTR: SysAllocStringLen on construction, SysFreeString when the owner goes.
#include <windows.h>
#include <oleauto.h>

#include <string>
#include <string_view>

#include "automation/UniqueResource.h"

namespace korvane::com {

class Bstr {
public:
    Bstr() noexcept = default;
    explicit Bstr(std::wstring_view text);

    // Takes over a BSTR the caller owns.
    static Bstr adopt(BSTR b) noexcept;

    BSTR get() const noexcept { return b_.get(); }
    // The address for an out parameter; whatever was held is freed first.
    BSTR* put() noexcept { return b_.put(); }
    // The address for an in-out parameter: the text stays, the callee may replace it.
    BSTR* address() noexcept { return b_.address(); }
    // Hands the BSTR to the caller, who must free it.
    [[nodiscard]] BSTR detach() noexcept { return b_.release(); }
    // The text, embedded nulls kept; a null BSTR is the empty text.
    std::wstring text() const;

private:
    UniqueResource<BSTR, &::SysFreeString> b_;
};

// The text of a BSTR that is not ours (null is the empty text).
std::wstring textOf(BSTR b);

}  // namespace korvane::com
