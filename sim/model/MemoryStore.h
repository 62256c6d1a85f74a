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

private:
    std::map<std::wstring, std::wstring> files_;  // keyed by the lower-case path
};

}  // namespace edgesim
