#include "model/CallRecord.h"

namespace edgesim {

const wchar_t* callKindName(CallKind kind) {
    switch (kind) {
    case CallKind::Get: return L"get";
    case CallKind::Put: return L"put";
    case CallKind::Call: return L"call";
    case CallKind::Enumerate: return L"enum";
    case CallKind::Lookup: return L"lookup";
    case CallKind::Bind: return L"bind";
    }
    return L"?";
}

std::wstring CallRecord::text() const {
    std::wstring out = L"#" + std::to_wstring(sequence) + L" " + object + L" " + callKindName(kind);
    if (kind == CallKind::Lookup || kind == CallKind::Bind) {
        out += L" \"" + member + L"\"";
        if (ok && kind == CallKind::Lookup) out += L" = " + std::to_wstring(id);
    } else {
        out += L" " + std::to_wstring(id) + L" " + member + L"(";
        for (size_t i = 0; i < arguments.size(); ++i) out += (i ? L", " : L"") + arguments[i];
        out += L")";
    }
    out += ok ? std::wstring(L" -> ok") : L" -> error " + std::to_wstring(error);
    return out;
}

}  // namespace edgesim
