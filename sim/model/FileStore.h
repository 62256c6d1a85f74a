#pragma once
// Document files on disk, stored as UTF-8 text.
#include "model/DocumentStore.h"

namespace edgesim {

class FileStore : public DocumentStore {
public:
    std::optional<std::wstring> read(std::wstring_view path) override;
    bool write(std::wstring_view path, std::wstring_view text) override;
};

}  // namespace edgesim
