// The collation on POSIX hosts: the C library's collation and case mapping of a locale. The
// user's collation is the locale the environment names; where its character classes know no
// letters beyond ASCII (C, POSIX), case follows C.UTF-8, so that every letter still folds.
#include "files/Collation.h"

#include <langinfo.h>
#include <locale.h>
#include <wchar.h>
#include <wctype.h>

#include <cstring>
#include <string>

#include "automation/AutomationError.h"
#include "automation/TextConvert.h"

namespace korvane {

struct Collation::Locale {
    explicit Locale(locale_t h) : handle(h) {}
    ~Locale() { ::freelocale(handle); }
    Locale(const Locale&) = delete;
    Locale& operator=(const Locale&) = delete;
    locale_t handle;
};

namespace {

constexpr int Categories = LC_COLLATE_MASK | LC_CTYPE_MASK;

locale_t environmentLocale() {
    locale_t handle = ::newlocale(Categories, "", nullptr);
    if (!handle) handle = ::newlocale(Categories, "C.UTF-8", nullptr);
    if (!handle) handle = ::newlocale(Categories, "C", nullptr);
    if (!handle) raiseRuntimeError(rt::InvalidArgument);
    if (std::strcmp(::nl_langinfo_l(CODESET, handle), "UTF-8") != 0) {
        if (locale_t utf8 = ::newlocale(LC_CTYPE_MASK, "C.UTF-8", handle)) handle = utf8;
    }
    return handle;
}

}  // namespace

const Collation& Collation::user() {
    static const Collation userCollation(std::make_shared<const Locale>(environmentLocale()));
    return userCollation;
}

// "de-DE" names the host's locale "de_DE.UTF-8".
Collation::Collation(const std::wstring& localeName) {
    std::string name = toUtf8(localeName);
    for (char& c : name)
        if (c == '-') c = '_';
    locale_t handle = name.empty() ? nullptr : ::newlocale(Categories, (name + ".UTF-8").c_str(), nullptr);
    if (!handle) raiseRuntimeError(rt::InvalidArgument);
    locale_ = std::make_shared<const Locale>(handle);
}

wchar_t Collation::lower(wchar_t c) const {
    return static_cast<wchar_t>(::towlower_l(static_cast<wint_t>(c), locale_->handle));
}

int Collation::collate(wchar_t a, wchar_t b) const {
    // The C library compares terminated strings, where a NUL would be no character at all.
    if (a == L'\0' || b == L'\0') return 0;
    const wchar_t first[2] = {lower(a), L'\0'};
    const wchar_t second[2] = {lower(b), L'\0'};
    return ::wcscoll_l(first, second, locale_->handle);
}

std::wstring Collation::lowerCased(std::wstring_view text) const {
    std::wstring folded(text);
    for (wchar_t& c : folded) c = lower(c);
    return folded;
}

}  // namespace korvane
