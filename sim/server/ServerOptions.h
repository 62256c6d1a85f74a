#pragma once
// EdgeSim.exe [-Embedding|/Embedding] [--scenario FILE] [--state FILE] [--log FILE] [--times FILE]
// Started by COM (-Embedding) without --scenario, the files come from EDGESIM_SCENARIO, EDGESIM_STATE
// and EDGESIM_LOG; without a scenario at all the application is an empty one. --times (or else
// EDGESIM_TIMES, also when COM starts the server) names a file that gets one line at the server's end: the calls it served, the
// time inside them and its peak working set (EdgeSimHost.h).
#include <optional>
#include <string>
#include <vector>

namespace edgesim::server {

struct ServerOptions {
    bool embedding = false;
    std::wstring scenario;  // empty: an empty application
    std::wstring state;     // empty: no state file
    std::wstring log;       // empty: no log
    std::wstring times;     // empty: no line of served calls

    // Raises an AutomationError (5) naming the argument it does not understand.
    static ServerOptions parse(const std::vector<std::wstring>& args,
                               const std::optional<std::wstring>& scenarioVariable,
                               const std::optional<std::wstring>& stateVariable,
                               const std::optional<std::wstring>& logVariable);
};

}  // namespace edgesim::server
