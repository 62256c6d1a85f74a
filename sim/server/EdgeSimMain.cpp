// EdgeSim.exe: the simulated CAD application as a COM local server (see EdgeSimHost.h, ServerOptions.h).
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "automation/AutomationError.h"
#include "automation/UniqueResource.h"
#include "server/EdgeSimClass.h"
#include "server/EdgeSimHost.h"
#include "server/ServerOptions.h"

namespace {

std::optional<std::wstring> variable(const wchar_t* name) {
    DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0) return std::nullopt;
    std::wstring value(size, L'\0');
    DWORD got = GetEnvironmentVariableW(name, value.data(), size);
    value.resize(got);
    return value;
}

std::vector<std::wstring> arguments() {
    int count = 0;
    const korvane::UniqueResource<LPWSTR*, &::LocalFree> argv(CommandLineToArgvW(GetCommandLineW(), &count));
    std::vector<std::wstring> args;
    for (int i = 1; argv && i < count; ++i) args.emplace_back(argv.get()[i]);
    return args;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    using namespace edgesim::server;
    try {
        ServerOptions options = ServerOptions::parse(arguments(), variable(kScenarioVariable), variable(kStateVariable),
                                                     variable(kLogVariable));
        if (options.times.empty()) options.times = variable(kTimesVariable).value_or(L"");
        return EdgeSimHost(std::move(options)).run();
    } catch (const korvane::AutomationError& e) {
        // No message box: nobody may be there to close it when COM or a test started the server.
        std::fputws((L"EdgeSim: " + e.description() + L"\n").c_str(), stderr);
        return 2;
    }
}
