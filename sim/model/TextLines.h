#pragma once
// The line structure shared by the document and scenario formats: one statement per line, a keyword
// and the rest of the line; indentation, blank lines and lines starting with '#' carry no meaning.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace edgesim {

struct TextLine {
    size_t number = 0;     // 1-based, for messages
    std::wstring keyword;  // the first word
    std::wstring rest;     // everything after the blank that ends the keyword, kept exactly
};

class TextLines {
public:
    explicit TextLines(std::wstring_view text);

    const std::vector<TextLine>& lines() const noexcept { return lines_; }

    // Splits a statement's rest into words; double quotes group a word that holds blanks.
    static std::vector<std::wstring> words(std::wstring_view rest);

private:
    std::vector<TextLine> lines_;
};

}  // namespace edgesim
