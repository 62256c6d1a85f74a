#include "model/TextLines.h"

namespace edgesim {

namespace {

bool isBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

}  // namespace

TextLines::TextLines(std::wstring_view text) {
    if (!text.empty() && text.front() == L'\xFEFF') text.remove_prefix(1);
    size_t number = 0;
    while (!text.empty()) {
        size_t end = text.find(L'\n');
        std::wstring_view line = text.substr(0, end);
        text = end == std::wstring_view::npos ? std::wstring_view{} : text.substr(end + 1);
        ++number;
        if (!line.empty() && line.back() == L'\r') line.remove_suffix(1);
        size_t start = 0;
        while (start < line.size() && isBlank(line[start])) ++start;
        line.remove_prefix(start);
        if (line.empty() || line.front() == L'#') continue;
        size_t gap = 0;
        while (gap < line.size() && !isBlank(line[gap])) ++gap;
        TextLine parsed;
        parsed.number = number;
        parsed.keyword.assign(line.substr(0, gap));
        if (gap < line.size()) parsed.rest.assign(line.substr(gap + 1));
        lines_.push_back(std::move(parsed));
    }
}

std::vector<std::wstring> TextLines::words(std::wstring_view rest) {
    std::vector<std::wstring> out;
    size_t i = 0;
    while (i < rest.size()) {
        while (i < rest.size() && isBlank(rest[i])) ++i;
        if (i == rest.size()) break;
        std::wstring word;
        if (rest[i] == L'"') {
            ++i;
            while (i < rest.size() && rest[i] != L'"') word.push_back(rest[i++]);
            if (i < rest.size()) ++i;
        } else {
            while (i < rest.size() && !isBlank(rest[i])) word.push_back(rest[i++]);
        }
        out.push_back(std::move(word));
    }
    return out;
}

}  // namespace edgesim
