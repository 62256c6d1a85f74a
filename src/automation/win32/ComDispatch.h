#pragma once
// The automation port over a COM object's IDispatch.
#include <windows.h>
#include <oaidl.h>

#include <map>
#include <optional>
#include <string>

#include "automation/Dispatch.h"
#include "automation/win32/ComPtr.h"

namespace korvane::com {

class ComDispatch final : public Dispatch {
public:
    explicit ComDispatch(ComPtr<IDispatch> object);

    Variant invoke(DispId id, InvokeKind kind, std::vector<Variant>& args) override;
    DispId idOfName(std::wstring_view name) override;
    std::unique_ptr<Enumerator> enumerate() override;

    IDispatch* get() const noexcept { return object_.get(); }

private:
    // The interface id the object reports through its type information; none when it reports none.
    const std::optional<GUID>& typeIdentity();
    DispId lookUp(std::wstring_view name);

    ComPtr<IDispatch> object_;
    bool typeKnown_ = false;
    std::optional<GUID> type_;
    std::map<std::wstring, DispId, std::less<>> ownNames_;  // for objects without type information
};

}  // namespace korvane::com
