#pragma once
// The runtime's Like operator: "*", "?", "#", bracketed lists with ranges and "!" negation,
// the whole text against the whole pattern.
#include <string_view>

namespace korvane {

enum class LetterCase { Ignore, Respect };

bool matchesPattern(std::wstring_view text, std::wstring_view pattern, LetterCase letterCase);

}  // namespace korvane
