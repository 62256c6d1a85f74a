#include "CommandLine.h"

namespace harness {

namespace {

std::wstring quoted(const std::wstring& arg) {
    if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) return arg;
    std::wstring out = L"\"";
    std::wstring::size_type backslashes = 0;
    for (wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        out.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        out += c;
    }
    out.append(2 * backslashes, L'\\');
    return out + L"\"";
}

}  // namespace

std::wstring commandLineOf(wchar_t** first, wchar_t** last) {
    std::wstring line;
    for (; first != last; ++first) line += (line.empty() ? L"" : L" ") + quoted(*first);
    return line;
}

}  // namespace harness
