#pragma once
// The final-state text of a session and the listing of a stored file (see docs/edgesim-formats.md).
#include <optional>
#include <string>
#include <string_view>

namespace edgesim {

class Session;

class StateWriter {
public:
    static std::wstring write(const Session& session);
    // "file <path>" and the file's statements indented, or "file <path> missing".
    static std::wstring describeFile(std::wstring_view path, const std::optional<std::wstring>& text);
};

}  // namespace edgesim
