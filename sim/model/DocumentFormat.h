#pragma once
// The document file format: line-based UTF-8 text (see docs/edgesim-formats.md).
#include <string>
#include <string_view>
#include <vector>

#include "model/DocumentContent.h"
#include "model/TextLines.h"

namespace edgesim {

class DocumentFormat {
public:
    // Raise an AutomationError (E_FAIL) naming the source and line when a statement is malformed.
    static DocumentContent parse(std::wstring_view text, std::wstring_view source);
    static DocumentContent parse(const std::vector<TextLine>& lines, std::wstring_view source);
    static std::wstring format(const DocumentContent& content);
};

}  // namespace edgesim
