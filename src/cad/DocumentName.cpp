#include "cad/DocumentName.h"

#include "automation/AutomationError.h"

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

}  // namespace korvane
