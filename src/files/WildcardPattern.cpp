#include "files/WildcardPattern.h"

#include <cstddef>
#include <string>
#include <vector>

#include "automation/AutomationError.h"

namespace korvane {

namespace {

// The runtime raises 93 for a pattern it cannot read: an unclosed "[" or a descending range
// (descending in the order the comparison uses).
[[noreturn]] void raiseInvalidPattern() { raiseRuntimeError(rt::InvalidPatternString); }

struct CharRange {
    wchar_t low;
    wchar_t high;
};

// One pattern element. Every kind but Star stands for exactly one character of the text, which
// keeps the matcher a simple two-pointer walk with one backtracking point.
struct Token {
    enum class Kind { Literal, AnyChar, Digit, List, Star };
    Kind kind = Kind::Literal;
    wchar_t ch = 0;
    bool negated = false;
    std::vector<CharRange> ranges;
};

// Reads a bracketed list starting just after its "[". Returns the index just after its "]".
// "!" first negates, "-" first or last stands for itself, "]" cannot be part of a list.
// An empty list "[]" stands for no character at all and yields no token.
size_t parseList(std::wstring_view pattern, size_t pos, const Collation* collation, std::vector<Token>& tokens) {
    Token token;
    token.kind = Token::Kind::List;
    if (pos < pattern.size() && pattern[pos] == L'!') {
        token.negated = true;
        ++pos;
    }
    const size_t listStart = pos;
    while (true) {
        if (pos >= pattern.size()) raiseInvalidPattern();
        const wchar_t c = pattern[pos];
        if (c == L']') break;
        const bool rangeFollows = pos + 2 < pattern.size() && pattern[pos + 1] == L'-' && pattern[pos + 2] != L']';
        if (rangeFollows && !(c == L'-' && pos == listStart)) {
            const wchar_t high = pattern[pos + 2];
            if (collation ? collation->compare(c, high) > 0 : high < c) raiseInvalidPattern();
            token.ranges.push_back({c, high});
            pos += 3;
        } else {
            token.ranges.push_back({c, c});
            ++pos;
        }
    }
    if (token.negated || !token.ranges.empty()) tokens.push_back(std::move(token));
    return pos + 1;
}

std::vector<Token> compile(std::wstring_view pattern, const Collation* collation) {
    std::vector<Token> tokens;
    size_t pos = 0;
    while (pos < pattern.size()) {
        const wchar_t c = pattern[pos];
        Token token;
        switch (c) {
        case L'*':
            ++pos;
            if (!tokens.empty() && tokens.back().kind == Token::Kind::Star) continue;
            token.kind = Token::Kind::Star;
            break;
        case L'?':
            ++pos;
            token.kind = Token::Kind::AnyChar;
            break;
        case L'#':
            ++pos;
            token.kind = Token::Kind::Digit;
            break;
        case L'[':
            pos = parseList(pattern, pos + 1, collation, tokens);
            continue;
        default:
            ++pos;
            token.ch = c;
            break;
        }
        tokens.push_back(std::move(token));
    }
    return tokens;
}

bool inRanges(const std::vector<CharRange>& ranges, wchar_t c, const Collation* collation) {
    for (const auto& r : ranges) {
        if (collation ? collation->compare(r.low, c) <= 0 && collation->compare(c, r.high) <= 0
                      : c >= r.low && c <= r.high)
            return true;
    }
    return false;
}

// collation: null compares binary.
bool matchesOne(const Token& token, wchar_t c, const Collation* collation) {
    switch (token.kind) {
    case Token::Kind::AnyChar:
        return true;
    case Token::Kind::Digit:
        return c >= L'0' && c <= L'9';
    case Token::Kind::Literal:
        return collation ? collation->sameLetter(token.ch, c) : token.ch == c;
    case Token::Kind::List:
        return inRanges(token.ranges, c, collation) != token.negated;
    case Token::Kind::Star:
        break;
    }
    return false;
}

bool matches(std::wstring_view text, std::wstring_view pattern, const Collation* collation) {
    // The pattern is read whole first, so a malformed pattern fails whatever the text.
    const std::vector<Token> tokens = compile(pattern, collation);

    size_t t = 0;  // position in text
    size_t p = 0;  // position in tokens
    // The last star seen and the text position it currently stands up to: on a mismatch the star
    // takes one more character and the walk resumes after it.
    bool haveStar = false;
    size_t starToken = 0;
    size_t starText = 0;
    while (t < text.size()) {
        if (p < tokens.size() && tokens[p].kind == Token::Kind::Star) {
            haveStar = true;
            starToken = p++;
            starText = t;
        } else if (p < tokens.size() && matchesOne(tokens[p], text[t], collation)) {
            ++p;
            ++t;
        } else if (haveStar) {
            p = starToken + 1;
            t = ++starText;
        } else {
            return false;
        }
    }
    while (p < tokens.size() && tokens[p].kind == Token::Kind::Star) ++p;
    return p == tokens.size();
}

}  // namespace

bool matchesPattern(std::wstring_view text, std::wstring_view pattern, LetterCase letterCase) {
    return matches(text, pattern, letterCase == LetterCase::Ignore ? &Collation::user() : nullptr);
}

bool matchesPattern(std::wstring_view text, std::wstring_view pattern, const Collation& collation) {
    return matches(text, pattern, &collation);
}

}  // namespace korvane
