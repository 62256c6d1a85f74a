#include "cad/DocumentName.h"

#include "automation/AutomationError.h"
#include "cad/MemberIds.h"

namespace korvane {

std::optional<std::wstring> uncNameOfDocument(clsFileString& files, const Variant& fullName) {
    std::wstring unc;
    try {
        unc = files.convertNachUNC(fullName);
    } catch (const AutomationError& e) {
        if (e.number() != rt::InvalidArgument) throw;
        return std::nullopt;
    }
    if (unc.empty()) return std::nullopt;
    return unc;
}

Object firstOpenDocument(clsFileString& files, const Object& documents, int32_t count, const std::wstring& wantedUnc,
                         int32_t type) {
    for (int32_t position = 1; position <= count; ++position) {
        Object document = documents.callObject(member::documents::Item, {Variant::i4(position)});
        const auto name = uncNameOfDocument(files, document.get(L"FullName"));
        const int32_t documentType = document.get(L"Type").toLong();
        if (sameDocument(wantedUnc, name) && documentType == type) return document;
    }
    return Object();
}

Variant openDocument(const Object& documents, const std::wstring& name) {
    std::wstring byReference = name;
    return documents.call(member::documents::Open, {Variant::textRef(byReference)});
}

}  // namespace korvane
