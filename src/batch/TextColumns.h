#pragma once
// How wide a text shows on a console, in columns: a character outside the Basic Multilingual Plane
// (a surrogate pair in UTF-16) is one character, a combining mark or other zero-width character
// takes none, an East Asian wide or fullwidth character takes two, every other one one. Cuts are
// made between characters, a combining mark staying with the character before it.
#include <cstddef>
#include <string>

namespace korvane {

// The columns of one character (a code point).
size_t columnsOf(char32_t character);
// The columns of a text.
size_t columnsOf(const std::wstring& text);
// The longest start / end of the text that takes at most that many columns.
std::wstring leadingColumns(const std::wstring& text, size_t columns);
std::wstring trailingColumns(const std::wstring& text, size_t columns);

}  // namespace korvane
