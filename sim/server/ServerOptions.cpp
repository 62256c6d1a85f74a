#include "server/ServerOptions.h"

#include "automation/TextConvert.h"
#include "model/SimError.h"

namespace edgesim::server {

ServerOptions ServerOptions::parse(const std::vector<std::wstring>& args,
                                   const std::optional<std::wstring>& scenarioVariable,
                                   const std::optional<std::wstring>& stateVariable,
                                   const std::optional<std::wstring>& logVariable) {
    ServerOptions o;
    bool scenarioGiven = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::wstring& a = args[i];
        auto value = [&]() -> const std::wstring& {
            if (i + 1 >= args.size()) err::raise(korvane::rt::InvalidArgument, L"Zu " + a + L" fehlt der Wert.");
            return args[++i];
        };
        if (korvane::equalsIgnoringCase(a, L"-Embedding") || korvane::equalsIgnoringCase(a, L"/Embedding")) {
            o.embedding = true;
        } else if (a == L"--scenario") {
            o.scenario = value();
            scenarioGiven = true;
        } else if (a == L"--state") {
            o.state = value();
        } else if (a == L"--log") {
            o.log = value();
        } else if (a == L"--times") {
            o.times = value();
        } else {
            err::raise(korvane::rt::InvalidArgument, L"Unbekanntes Argument: " + a);
        }
    }
    if (o.embedding && !scenarioGiven) {
        if (scenarioVariable) o.scenario = *scenarioVariable;
        if (o.state.empty() && stateVariable) o.state = *stateVariable;
        if (o.log.empty() && logVariable) o.log = *logVariable;
    }
    return o;
}

}  // namespace edgesim::server
