#pragma once
// Where the application reads and writes its document files.
#include <optional>
#include <string>
#include <string_view>

namespace edgesim {

class DocumentStore {
public:
    virtual ~DocumentStore() = default;
    // The file's text (UTF-8 decoded), or nothing when it does not exist or cannot be read.
    virtual std::optional<std::wstring> read(std::wstring_view path) = 0;
    // Stores the text; false when the file cannot be written.
    virtual bool write(std::wstring_view path, std::wstring_view text) = 0;
};

}  // namespace edgesim
