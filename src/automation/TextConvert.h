#pragma once
// UTF-8 <-> wide text, for files, logs and the 8-bit process table. Portable, no locale.
#include <string>
#include <string_view>

namespace korvane {

std::string toUtf8(std::wstring_view text);
std::wstring fromUtf8(std::string_view text);

// Letter case as the runtime folds it for the comparisons of this program (Latin-1 and ASCII letters).
std::wstring toLower(std::wstring_view text);
std::wstring toUpper(std::wstring_view text);
wchar_t toLowerChar(wchar_t c);
wchar_t toUpperChar(wchar_t c);
bool equalsIgnoringCase(std::wstring_view a, std::wstring_view b);

}  // namespace korvane
