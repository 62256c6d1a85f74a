#include "automation/win32/ComDispatch.h"

#include <type_traits>
#include <vector>

#include "automation/AutomationError.h"
#include "automation/win32/Bstr.h"
#include "automation/win32/CallTiming.h"
#include "automation/win32/ComEnumerator.h"
#include "automation/win32/ComErrors.h"
#include "automation/win32/ComVariant.h"
#include "automation/win32/ExcepInfo.h"
#include "automation/win32/NameCache.h"
#include "automation/win32/RetryMessageFilter.h"
#include "automation/win32/VariantHolder.h"

namespace korvane::com {

namespace {

inline constexpr int32_t WrongArgumentCount = 450;

// The argument array of one call in COM's order (last argument first). A text passed by
// reference travels as a BSTR slot; writeBack puts what the callee left there into the caller's text.
class CallArguments {
public:
    // Each argument is converted into a holder that is already in place, so that whatever was built
    // before a conversion that throws is released with the holders.
    explicit CallArguments(std::vector<Variant>& args) : args_(args), com_(args.size()), slots_(args.size()) {
        const size_t n = args.size();
        for (size_t i = 0; i < n; ++i) {
            VARIANT& v = *com_[n - 1 - i].get();
            if (std::wstring* text = args[i].textRef()) {
                slots_[i] = Bstr(*text);
                v.vt = VT_BYREF | VT_BSTR;
                v.pbstrVal = slots_[i].address();
            } else {
                toComVariant(args[i], v);
            }
        }
    }

    // The callee reads the holders as one array of VARIANTs, which they are laid out as.
    VARIANTARG* data() noexcept { return com_.empty() ? nullptr : com_.front().get(); }
    UINT count() const noexcept { return static_cast<UINT>(com_.size()); }

    void writeBack() {
        for (size_t i = 0; i < args_.size(); ++i)
            if (std::wstring* text = args_[i].textRef()) *text = slots_[i].text();
    }

private:
    static_assert(sizeof(VariantHolder) == sizeof(VARIANT) && std::is_standard_layout_v<VariantHolder>);

    std::vector<Variant>& args_;
    std::vector<VariantHolder> com_;  // sized once, like the slots
    std::vector<Bstr> slots_;         // sized once: the slot addresses handed to the callee stay valid
};

// A call into the server that is not a member call (type information, interfaces), timed as one.
template <class Call>
auto timed(Call call) {
    const CallTiming::Scope timing;
    return call();
}

bool isUnknownMember(HRESULT hr) { return hr == DISP_E_UNKNOWNNAME || hr == DISP_E_MEMBERNOTFOUND; }

}  // namespace

ComDispatch::ComDispatch(ComPtr<IDispatch> object) : ComDispatch(std::move(object), std::make_shared<NameCache>()) {}

ComDispatch::ComDispatch(ComPtr<IDispatch> object, std::shared_ptr<NameCache> names)
    : object_(std::move(object)), binding_(std::move(names)) {
    if (!object_) raiseRuntimeError(rt::ObjectNotSet);
}

// The last reference to a remote object goes back to its server in a call of its own.
ComDispatch::~ComDispatch() {
    const CallTiming::Scope timing;
    object_.reset();
}

Variant ComDispatch::invoke(DispId id, InvokeKind kind, std::vector<Variant>& args) {
    if (kind == InvokeKind::PropertyPut && args.empty()) raiseRuntimeError(WrongArgumentCount);
    CallArguments call(args);
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params{call.data(), nullptr, call.count(), 0};
    WORD flags = DISPATCH_METHOD;
    if (kind == InvokeKind::PropertyGet) flags = DISPATCH_PROPERTYGET;
    if (kind == InvokeKind::PropertyPut) {
        flags = DISPATCH_PROPERTYPUT;
        params.rgdispidNamedArgs = &putId;
        params.cNamedArgs = 1;
    }
    VariantHolder result;
    ExcepInfo excep;
    UINT argErr = 0;
    HRESULT hr = RetryMessageFilter::retrying([&] {
        return object_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                               kind == InvokeKind::PropertyPut ? nullptr : result.get(), excep.get(), &argErr);
    });
    call.writeBack();
    if (hr == DISP_E_MEMBERNOTFOUND) raiseRuntimeError(rt::MemberNotSupported);
    if (FAILED(hr)) raiseHResult(hr, excep.get());
    return fromComVariant(*result.get(), binding_);
}

DispId ComDispatch::idOfName(std::wstring_view name) {
    if (const auto& type = typeIdentity()) {
        NameCache& cache = binding_.names();
        if (auto known = cache.find(*type, name)) return *known;
        DispId id = lookUp(name);
        cache.remember(*type, name, id);
        return id;
    }
    auto known = ownNames_.find(name);
    if (known != ownNames_.end()) return known->second;
    DispId id = lookUp(name);
    ownNames_.emplace(std::wstring(name), id);
    return id;
}

DispId ComDispatch::lookUp(std::wstring_view name) {
    std::wstring text(name);
    LPOLESTR names[] = {text.data()};
    DISPID id = DISPID_UNKNOWN;
    HRESULT hr = RetryMessageFilter::retrying(
        [&] { return object_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id); });
    if (isUnknownMember(hr)) raiseRuntimeError(rt::MemberNotSupported);
    if (FAILED(hr)) raiseHResult(hr);
    return static_cast<DispId>(id);
}

const std::optional<GUID>& ComDispatch::typeIdentity() {
    if (typeKnown_) return type_;
    typeKnown_ = true;
    UINT count = 0;
    if (FAILED(timed([&] { return object_->GetTypeInfoCount(&count); })) || count == 0) return type_;
    ComPtr<ITypeInfo> info;
    if (FAILED(timed([&] { return object_->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.put()); })) || !info) return type_;
    TYPEATTR* attr = nullptr;
    if (FAILED(timed([&] { return info->GetTypeAttr(&attr); })) || !attr) return type_;
    if (attr->guid != GUID_NULL) type_ = attr->guid;
    timed([&] { info->ReleaseTypeAttr(attr); return 0; });
    timed([&] { info.reset(); return 0; });
    return type_;
}

std::unique_ptr<Enumerator> ComDispatch::enumerate() {
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    VariantHolder result;
    ExcepInfo excep;
    HRESULT hr = RetryMessageFilter::retrying([&] {
        return object_->Invoke(DISPID_NEWENUM, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD | DISPATCH_PROPERTYGET,
                               &none, result.get(), excep.get(), nullptr);
    });
    if (isUnknownMember(hr)) raiseRuntimeError(rt::MemberNotSupported);
    if (FAILED(hr)) raiseHResult(hr, excep.get());
    ComPtr<IEnumVARIANT> items;
    if (result->vt == VT_UNKNOWN && result->punkVal)
        items = timed([&] { return ComPtr<IUnknown>::share(result->punkVal).query<IEnumVARIANT>(); });
    else if (result->vt == VT_DISPATCH && result->pdispVal)
        items = timed([&] { return ComPtr<IDispatch>::share(result->pdispVal).query<IEnumVARIANT>(); });
    if (!items) raiseRuntimeError(rt::MemberNotSupported);
    return std::make_unique<ComEnumerator>(std::move(items), binding_);
}

}  // namespace korvane::com
