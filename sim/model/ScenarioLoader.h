#pragma once
// Reads a scenario (see docs/edgesim-formats.md) into a fresh session.
#include <string_view>

namespace edgesim {

class Session;

class ScenarioLoader {
public:
    // Raises an AutomationError (E_FAIL) naming the line when a statement is malformed or a file
    // to open cannot be read.
    static void load(Session& session, std::wstring_view text);
};

}  // namespace edgesim
