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
#include <utility>

#include "automation/AutomationError.h"
#include "automation/TextConvert.h"
#include "automation/UniqueResource.h"

namespace korvane {

using UniqueLocale = UniqueResource<locale_t, &::freelocale>;

struct Collation::Locale {
    UniqueLocale owner;
    locale_t handle() const noexcept { return owner.get(); }
};

namespace {

constexpr int Categories = LC_COLLATE_MASK | LC_CTYPE_MASK;

UniqueLocale environmentLocale() {
    UniqueLocale locale(::newlocale(Categories, "", nullptr));
    if (!locale) locale.reset(::newlocale(Categories, "C.UTF-8", nullptr));
    if (!locale) locale.reset(::newlocale(Categories, "C", nullptr));
    if (!locale) raiseRuntimeError(rt::InvalidArgument);
    if (std::strcmp(::nl_langinfo_l(CODESET, locale.get()), "UTF-8") != 0) {
        // On success newlocale has used up the locale it was given and answers the changed one.
        if (locale_t utf8 = ::newlocale(LC_CTYPE_MASK, "C.UTF-8", locale.get())) {
            static_cast<void>(locale.release());
            locale.reset(utf8);
        }
    }
    return locale;
}

}  // namespace

const Collation& Collation::user() {
    static const Collation userCollation(std::make_shared<const Locale>(Locale{environmentLocale()}));
    return userCollation;
}

// "de-DE" names the host's locale "de_DE.UTF-8".
Collation::Collation(const std::wstring& localeName) {
    std::string name = toUtf8(localeName);
    for (char& c : name)
        if (c == '-') c = '_';
    UniqueLocale locale(name.empty() ? nullptr : ::newlocale(Categories, (name + ".UTF-8").c_str(), nullptr));
    if (!locale) raiseRuntimeError(rt::InvalidArgument);
    locale_ = std::make_shared<const Locale>(Locale{std::move(locale)});
}

wchar_t Collation::lower(wchar_t c) const {
    return static_cast<wchar_t>(::towlower_l(static_cast<wint_t>(c), locale_->handle()));
}

int Collation::collate(wchar_t a, wchar_t b) const {
    // The C library compares terminated strings, where a NUL would be no character at all.
    if (a == L'\0' || b == L'\0') return 0;
    const wchar_t first[2] = {lower(a), L'\0'};
    const wchar_t second[2] = {lower(b), L'\0'};
    return ::wcscoll_l(first, second, locale_->handle());
}

std::wstring Collation::lowerCased(std::wstring_view text) const {
    std::wstring folded(text);
    for (wchar_t& c : folded) c = lower(c);
    return folded;
}

}  // namespace korvane
