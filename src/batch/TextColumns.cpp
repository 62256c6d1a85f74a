#include "batch/TextColumns.h"

#include <algorithm>
#include <iterator>
#include <vector>

namespace korvane {

namespace {

struct Range {
    char32_t first, last;
};

// Combining marks and other characters that take no column of their own (sorted).
constexpr Range kZeroWidth[] = {
    {0x0300, 0x036F}, {0x0483, 0x0489}, {0x0591, 0x05BD}, {0x05BF, 0x05BF}, {0x05C1, 0x05C2},
    {0x05C4, 0x05C5}, {0x05C7, 0x05C7}, {0x0610, 0x061A}, {0x064B, 0x065F}, {0x0670, 0x0670},
    {0x06D6, 0x06DC}, {0x06DF, 0x06E4}, {0x0E31, 0x0E31}, {0x0E34, 0x0E3A}, {0x0E47, 0x0E4E},
    {0x1AB0, 0x1AFF}, {0x1DC0, 0x1DFF}, {0x200B, 0x200F}, {0x202A, 0x202E}, {0x2060, 0x2064},
    {0x20D0, 0x20FF}, {0x302A, 0x302D}, {0x3099, 0x309A}, {0xFE00, 0xFE0F}, {0xFE20, 0xFE2F},
    {0xFEFF, 0xFEFF}, {0xE0100, 0xE01EF},
};

// East Asian wide and fullwidth characters (sorted).
constexpr Range kWide[] = {
    {0x1100, 0x115F},   {0x2E80, 0x303E},   {0x3041, 0x33FF},   {0x3400, 0x4DBF},   {0x4E00, 0x9FFF},
    {0xA000, 0xA4CF},   {0xA960, 0xA97F},   {0xAC00, 0xD7A3},   {0xF900, 0xFAFF},   {0xFE10, 0xFE19},
    {0xFE30, 0xFE6F},   {0xFF00, 0xFF60},   {0xFFE0, 0xFFE6},   {0x1F300, 0x1F64F}, {0x1F900, 0x1F9FF},
    {0x20000, 0x2FFFD}, {0x30000, 0x3FFFD},
};

template <size_t N>
bool within(const Range (&ranges)[N], char32_t c) {
    const Range* end = ranges + N;
    const Range* found = std::lower_bound(ranges, end, c, [](const Range& r, char32_t v) { return r.last < v; });
    return found != end && found->first <= c;
}

bool isHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool isLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// One character from `at` on: its code point and where the next begins. Surrogate pairs are joined
// whatever the width of wchar_t, so a text from UTF-16 counts alike everywhere.
char32_t decode(const std::wstring& text, size_t at, size_t& next) {
    const wchar_t c = text[at];
    if (isHighSurrogate(c) && at + 1 < text.size() && isLowSurrogate(text[at + 1])) {
        next = at + 2;
        return 0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) + (static_cast<char32_t>(text[at + 1]) - 0xDC00);
    }
    next = at + 1;
    return static_cast<char32_t>(c);
}

// A character with the zero-width ones after it, as one piece that is never cut.
struct Cluster {
    size_t begin, end, columns;
};

std::vector<Cluster> clusters(const std::wstring& text) {
    std::vector<Cluster> out;
    size_t at = 0;
    while (at < text.size()) {
        size_t next = 0;
        const size_t width = columnsOf(decode(text, at, next));
        if (width == 0 && !out.empty()) out.back().end = next;
        else out.push_back({at, next, width});
        at = next;
    }
    return out;
}

}  // namespace

size_t columnsOf(char32_t character) {
    if (character < 0x20 || (character >= 0x7F && character < 0xA0)) return 0;
    if (within(kZeroWidth, character)) return 0;
    return within(kWide, character) ? 2 : 1;
}

size_t columnsOf(const std::wstring& text) {
    size_t columns = 0;
    for (size_t at = 0, next = 0; at < text.size(); at = next) columns += columnsOf(decode(text, at, next));
    return columns;
}

std::wstring leadingColumns(const std::wstring& text, size_t columns) {
    size_t end = 0;
    size_t used = 0;
    for (const Cluster& c : clusters(text)) {
        if (used + c.columns > columns) break;
        used += c.columns;
        end = c.end;
    }
    return text.substr(0, end);
}

std::wstring trailingColumns(const std::wstring& text, size_t columns) {
    const std::vector<Cluster> all = clusters(text);
    size_t begin = text.size();
    size_t used = 0;
    for (auto c = all.rbegin(); c != all.rend(); ++c) {
        if (used + c->columns > columns) break;
        used += c->columns;
        begin = c->begin;
    }
    return text.substr(begin);
}

}  // namespace korvane
