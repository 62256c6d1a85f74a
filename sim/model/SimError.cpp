#include "model/SimError.h"

namespace edgesim::err {

void raise(int32_t number, std::wstring description) {
    throw korvane::AutomationError(number, std::move(description), kSource);
}

void badIndex() { raise(BadIndex, L"Ungültiger Index."); }

}  // namespace edgesim::err
