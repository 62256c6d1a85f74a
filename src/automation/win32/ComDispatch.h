#pragma once
// The automation port over a COM object's IDispatch.
#include <windows.h>
#include <oaidl.h>

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "automation/Dispatch.h"
#include "automation/win32/BindingObjects.h"
#include "automation/win32/ComPtr.h"

namespace korvane::com {

class ComDispatch final : public Dispatch {
public:
    // An object bound on its own: the first of a binding with a name cache of its own.
    explicit ComDispatch(ComPtr<IDispatch> object);
    // An object of the binding whose name cache is given; what its calls return joins that binding.
    ComDispatch(ComPtr<IDispatch> object, std::shared_ptr<NameCache> names);
    ~ComDispatch() override;
    ComDispatch(const ComDispatch&) = delete;
    ComDispatch& operator=(const ComDispatch&) = delete;

    Variant invoke(DispId id, InvokeKind kind, std::vector<Variant>& args) override;
    DispId idOfName(std::wstring_view name) override;
    std::unique_ptr<Enumerator> enumerate() override;

    IDispatch* get() const noexcept { return object_.get(); }

private:
    // The interface id the object reports through its type information; none when it reports none.
    const std::optional<GUID>& typeIdentity();
    DispId lookUp(std::wstring_view name);

    ComPtr<IDispatch> object_;
    BindingObjects binding_;
    bool typeKnown_ = false;
    std::optional<GUID> type_;
    std::map<std::wstring, DispId, std::less<>> ownNames_;  // for objects without type information
};

}  // namespace korvane::com
