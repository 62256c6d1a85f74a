#pragma once
// Files held in memory; paths compare without regard to letter case, as on Windows.
#include <map>

#include "model/DocumentStore.h"

namespace edgesim {

class MemoryStore : public DocumentStore {
public:
    std::optional<std::wstring> read(std::wstring_view path) override;
    bool write(std::wstring_view path, std::wstring_view text) override;

    bool contains(std::wstring_view path) const;
    // Every file, under the spelling it was first written with.
    std::map<std::wstring, std::wstring> files() const;

private:
    struct Entry {
        std::wstring spelling;
        std::wstring text;
    };
    std::map<std::wstring, Entry> files_;  // keyed by the lower-case path
};

}  // namespace edgesim
