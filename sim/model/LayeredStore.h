#pragma once
// A scenario's inline files laid over a backing store: inline files are read and written in memory,
// every other path goes to the backing store.
#include <memory>

#include "model/MemoryStore.h"

namespace edgesim {

class LayeredStore : public DocumentStore {
public:
    explicit LayeredStore(std::shared_ptr<DocumentStore> backing);  // never null

    std::optional<std::wstring> read(std::wstring_view path) override;
    bool write(std::wstring_view path, std::wstring_view text) override;

    MemoryStore& inlineFiles() noexcept { return inline_; }

private:
    MemoryStore inline_;
    std::shared_ptr<DocumentStore> backing_;
};

}  // namespace edgesim
