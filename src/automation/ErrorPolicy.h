#pragma once
// The three ways an operation treats failures, made visible at the top of the operation:
//   - no guard: nothing here, the AutomationError simply travels on;
//   - record and skip: ErrorRecord::attempt runs a step, remembers its error and goes on;
//   - neutral result: swallow() runs the body and turns any failure into the given result.
#include <optional>
#include <utility>

#include "automation/AutomationError.h"

namespace korvane {

class ErrorRecord {
public:
    // Runs one step; a failing step is left out and its error recorded (a later one replaces it).
    template <class F>
    void attempt(F&& step) {
        try {
            std::forward<F>(step)();
        } catch (const AutomationError& e) {
            last_ = e;
        }
    }
    bool failed() const noexcept { return last_.has_value(); }
    const std::optional<AutomationError>& last() const noexcept { return last_; }
    void clear() noexcept { last_.reset(); }

private:
    std::optional<AutomationError> last_;
};

// Runs the body; any automation failure gives the neutral result instead.
template <class R, class F>
R swallow(R neutral, F&& body) {
    try {
        return std::forward<F>(body)();
    } catch (const AutomationError&) {
        return neutral;
    }
}

template <class F>
void swallow(F&& body) {
    try {
        std::forward<F>(body)();
    } catch (const AutomationError&) {
    }
}

}  // namespace korvane
