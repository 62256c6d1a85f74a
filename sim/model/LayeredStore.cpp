#include "model/LayeredStore.h"

namespace edgesim {

LayeredStore::LayeredStore(std::shared_ptr<DocumentStore> backing) : backing_(std::move(backing)) {}

std::optional<std::wstring> LayeredStore::read(std::wstring_view path) {
    if (inline_.contains(path)) return inline_.read(path);
    return backing_->read(path);
}

bool LayeredStore::write(std::wstring_view path, std::wstring_view text) {
    if (inline_.contains(path)) return inline_.write(path, text);
    return backing_->write(path, text);
}

}  // namespace edgesim
