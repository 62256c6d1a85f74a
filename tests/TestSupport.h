#pragma once
// Helpers every suite may use.
#include <cstdint>

#include "automation/AutomationError.h"

namespace korvane::test {

// The runtime number a call raised, 0 when it returned.
template <class F>
int32_t errorOf(F&& f) {
    try {
        f();
    } catch (const AutomationError& e) {
        return e.number();
    }
    return 0;
}

}  // namespace korvane::test
