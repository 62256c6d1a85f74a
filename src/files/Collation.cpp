#include "files/Collation.h"

#include <utility>

namespace korvane {

Collation::Collation(std::shared_ptr<const Locale> locale) : locale_(std::move(locale)) {}

int Collation::compare(wchar_t a, wchar_t b) const {
    if (sameLetter(a, b)) return 0;
    const int verdict = collate(a, b);
    if (verdict != 0) return verdict;
    const wchar_t la = lower(a);
    const wchar_t lb = lower(b);
    return la < lb ? -1 : 1;
}

bool Collation::sameLetter(wchar_t a, wchar_t b) const { return a == b || lower(a) == lower(b); }

bool Collation::equal(std::wstring_view a, std::wstring_view b) const {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (!sameLetter(a[i], b[i])) return false;
    return true;
}

}  // namespace korvane
