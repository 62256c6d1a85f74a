#pragma once
// Document files on disk, stored as UTF-8 text. A byte-order mark is read as U+FEFF and left to
// TextLines, which every reader of these files goes through.
#include "model/DocumentStore.h"

namespace edgesim {

class FileStore : public DocumentStore {
public:
    std::optional<std::wstring> read(std::wstring_view path) override;
    bool write(std::wstring_view path, std::wstring_view text) override;
};

}  // namespace edgesim
