// Bounded random inputs for the pure string functions and the pattern matcher: no crash, no
// undefined behaviour (run it under the sanitizers), and the invariants that hold for any text.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <random>
#include <string>

#include "DriveTableFileSystem.h"
#include "FilesTestSupport.h"
#include "files/WildcardPattern.h"
#include "files/clsFileString.h"

using namespace korvane;
using namespace korvane::test;
using namespace std::string_literals;

namespace {

// Texts over an alphabet rich in the characters the functions look at.
std::wstring randomText(std::mt19937& rng, size_t maxLength) {
    static const std::wstring alphabet = L"\\\\\\..::\"aZz09*?#[]!-/ \u00e4\u00c4\u00df\0"s;
    std::uniform_int_distribution<size_t> length(0, maxLength);
    std::uniform_int_distribution<size_t> pick(0, alphabet.size() - 1);
    std::wstring text(length(rng), L' ');
    for (auto& c : text) c = alphabet[pick(rng)];
    return text;
}

// A pattern that matches exactly the text: every pattern character wrapped in a list.
std::wstring literalPattern(const std::wstring& text) {
    std::wstring pattern;
    for (wchar_t c : text)
        pattern += c == L'*' || c == L'?' || c == L'#' || c == L'[' ? std::wstring(L"[") + c + L"]" : std::wstring(1, c);
    return pattern;
}

constexpr int Rounds = 20000;

}  // namespace

TEST(Randomized, PatternInvariants) {
    std::mt19937 rng(20240611);
    for (int i = 0; i < Rounds; ++i) {
        const std::wstring text = randomText(rng, 12);
        const std::wstring pattern = randomText(rng, 8);
        for (LetterCase mode : {LetterCase::Ignore, LetterCase::Respect}) {
            ASSERT_TRUE(matchesPattern(text, literalPattern(text), mode)) << "own pattern of " << q(text);
            ASSERT_TRUE(matchesPattern(text, L"*", mode)) << q(text);
            ASSERT_TRUE(matchesPattern(text, L"*" + literalPattern(text.substr(text.size() / 2)), mode)) << q(text);
            ASSERT_TRUE(matchesPattern(text, std::wstring(text.size(), L'?'), mode)) << q(text);
            ASSERT_FALSE(matchesPattern(text, std::wstring(text.size() + 1, L'?'), mode)) << q(text);
            ASSERT_FALSE(matchesPattern(text + L"x", literalPattern(text), mode)) << q(text);
            bool respected = false;
            const int32_t error = errorOf([&] { respected = matchesPattern(text, pattern, LetterCase::Respect); });
            ASSERT_TRUE(error == 0 || error == 93) << "pattern " << q(pattern) << " raised " << error;
            if (error == 0 && pattern.find(L'[') == std::wstring::npos) {
                // Ignoring case can only widen what matches. Lists are left out: a negated one
                // narrows instead, and a range takes other characters in collation order.
                ASSERT_TRUE(!respected || matchesPattern(text, pattern, LetterCase::Ignore))
                    << q(text) << " against " << q(pattern);
            }
        }
        ASSERT_TRUE(matchesPattern(toUpper(text), literalPattern(toLower(text)), LetterCase::Ignore)) << q(text);
    }
}

TEST(Randomized, NameDissectionInvariants) {
    std::mt19937 rng(77);
    clsFileString files(std::make_shared<DriveTableFileSystem>(std::vector<TableDrive>{
        {L'C', DriveType::Fixed, L""}, {L'Z', DriveType::Network, L"\\\\srv\\share"}, {L'X', DriveType::Network, L""}}));
    for (int i = 0; i < Rounds; ++i) {
        const std::wstring s = randomText(rng, 16);
        const std::wstring folder = files.ermittleVerzeichnis(s);
        const std::wstring name = files.ermittleDateiName(s);
        // Folder, separator and name give the text back whenever there is a separator.
        if (s.find(L'\\') != std::wstring::npos)
            ASSERT_EQ(folder + L"\\" + name, s) << q(s);
        else
            ASSERT_EQ(name, s) << q(s);
        ASSERT_EQ(name.find(L'\\'), std::wstring::npos) << q(s);

        const std::wstring shortName = files.ermittleKurzenDateiName(s);
        const std::wstring extension = files.ermittleErweiterung(s);
        if (name.find(L'.') != std::wstring::npos)
            ASSERT_EQ(shortName + L"." + extension, name) << q(s);
        else
            ASSERT_TRUE(shortName == name && extension.empty()) << q(s);
        ASSERT_EQ(files.ermittleLangerDateiNameOhneErweiterung(s), folder + L"\\" + shortName) << q(s);

        const std::wstring unc = files.ermittleUNCundLangerDateiName(s);
        if (s.size() >= 2) {
            ASSERT_EQ(unc.substr(unc.size() - (s.size() - 2)), s.substr(2)) << q(s);
        }
        std::wstring converted;
        const int32_t convertError = errorOf([&] { converted = files.convertNachUNC(Variant(s)); });
        ASSERT_EQ(convertError, s.size() < 2 ? 5 : 0) << q(s);
        const std::wstring back = files.ermittleLaufwerkUndLangenDateiNamen(s);
        ASSERT_TRUE(back == s || (back.size() >= 2 && back[0] >= L'a' && back[0] <= L'z' && back[1] == L':')) << q(s);
        Variant unquoted;
        const int32_t quoteError = errorOf([&] { unquoted = files.entferneAnfuehrungsZeichen(s); });
        ASSERT_EQ(quoteError, s == L"\"" ? 5 : 0) << q(s);
    }
}
