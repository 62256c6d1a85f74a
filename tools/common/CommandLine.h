#pragma once
// The command line of the program a harness tool starts, from the arguments after its "--".
#include <string>

namespace harness {

// Quotes each argument so that the started program's runtime splits the line back into the same
// arguments: quotes are escaped, and backslashes only where they precede a quote.
std::wstring commandLineOf(wchar_t** first, wchar_t** last);

}  // namespace harness
