// The collation on Windows: the system's own comparison and case mapping for the locale.
#include "files/Collation.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <climits>

#include "automation/AutomationError.h"

namespace korvane {

struct Collation::Locale {
    std::wstring name;  // empty: the user's locale of the moment
    const wchar_t* system() const { return name.empty() ? LOCALE_NAME_USER_DEFAULT : name.c_str(); }
};

namespace {

// Linguistic casing: the locale's own rules (a Turkish user folds "I" to the dotless "ı").
constexpr DWORD LowerCaseFlags = LCMAP_LOWERCASE | LCMAP_LINGUISTIC_CASING;

}  // namespace

const Collation& Collation::user() {
    static const Collation userCollation(std::make_shared<const Locale>());
    return userCollation;
}

Collation::Collation(const std::wstring& localeName) : locale_(std::make_shared<const Locale>(Locale{localeName})) {
    if (localeName.empty() || !::IsValidLocaleName(localeName.c_str())) raiseRuntimeError(rt::InvalidArgument);
}

wchar_t Collation::lower(wchar_t c) const {
    wchar_t folded = c;
    if (::LCMapStringEx(locale_->system(), LowerCaseFlags, &c, 1, &folded, 1, nullptr, nullptr, 0) != 1) return c;
    return folded;
}

int Collation::collate(wchar_t a, wchar_t b) const {
    const int result = ::CompareStringEx(locale_->system(), NORM_IGNORECASE, &a, 1, &b, 1, nullptr, nullptr, 0);
    if (result == 0) raiseRuntimeError(rt::InvalidArgument);
    return result - CSTR_EQUAL;
}

std::wstring Collation::lowerCased(std::wstring_view text) const {
    if (text.empty()) return {};
    if (text.size() > static_cast<size_t>(INT_MAX)) raiseRuntimeError(rt::InvalidArgument);
    const int length = static_cast<int>(text.size());
    std::wstring folded(text.size(), L'\0');
    if (::LCMapStringEx(locale_->system(), LowerCaseFlags, text.data(), length, folded.data(), length, nullptr,
                        nullptr, 0) != length)
        raiseRuntimeError(rt::InvalidArgument);
    return folded;
}

}  // namespace korvane
