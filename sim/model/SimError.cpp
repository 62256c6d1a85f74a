#include "model/SimError.h"

namespace edgesim::err {

void raise(int32_t number, std::wstring description) {
    throw korvane::AutomationError(number, std::move(description), kSource);
}

}  // namespace edgesim::err
