#pragma once
// The runtime's Like operator: "*", "?", "#", bracketed lists with ranges and "!" negation,
// the whole text against the whole pattern.
#include <string_view>

#include "files/Collation.h"

namespace korvane {

// Respect: binary comparison, ranges in code order (the census). Ignore: the user's collation.
enum class LetterCase { Ignore, Respect };

bool matchesPattern(std::wstring_view text, std::wstring_view pattern, LetterCase letterCase);

// Letters match without regard to case, and a range takes what sorts between its ends, in the
// given collation: under a German one "[A-Z]" takes "Ü", and "[a-Z]" is a range, not an error.
bool matchesPattern(std::wstring_view text, std::wstring_view pattern, const Collation& collation);

}  // namespace korvane
