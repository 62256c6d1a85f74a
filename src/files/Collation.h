#pragma once
// Text comparison in a locale's collation, letters without regard to case: the order and the
// case folding that clsFileString's comparisons and patterns use (the runtime's text comparison).
//
// Windows: the system's comparison and case mapping for the locale (CompareStringEx ignoring
// case, LCMapStringEx with linguistic casing); the user's collation is LOCALE_NAME_USER_DEFAULT.
// POSIX: the C library's collation and case mapping for the locale (wcscoll_l, towlower_l); the
// user's collation is the locale the environment names (LC_ALL, LC_COLLATE and LC_CTYPE, LANG).
// Where that locale folds nothing beyond ASCII (C, POSIX), case follows C.UTF-8 instead.
#include <memory>
#include <string>
#include <string_view>

namespace korvane {

class Collation {
public:
    // The collation of the user running the program.
    static const Collation& user();
    // The collation of a named locale ("de-DE"); raises 5 when the system does not know it.
    explicit Collation(const std::wstring& localeName);

    // Below 0, 0 or above 0 as a sorts before, with or after b. Two characters compare equal only
    // when they are the same letter in either case; characters the collation cannot tell apart
    // otherwise keep their code order.
    int compare(wchar_t a, wchar_t b) const;
    // The same letters in either case, character by character.
    bool sameLetter(wchar_t a, wchar_t b) const;
    bool equal(std::wstring_view a, std::wstring_view b) const;
    // Every letter the system folds, lower-cased; each character stays one character.
    std::wstring lowerCased(std::wstring_view text) const;

    struct Locale;  // the platform's handle of the locale

private:
    explicit Collation(std::shared_ptr<const Locale> locale);
    wchar_t lower(wchar_t c) const;
    // The platform's verdict on two characters that are not the same letter: below, at or above 0.
    int collate(wchar_t a, wchar_t b) const;

    std::shared_ptr<const Locale> locale_;
};

}  // namespace korvane
