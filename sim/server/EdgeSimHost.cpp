#include "server/EdgeSimHost.h"

#include <windows.h>
#include <psapi.h>

#include <optional>
#include <string>

#include "automation/AutomationError.h"
#include "automation/UniqueResource.h"
#include "automation/win32/Apartment.h"
#include "automation/win32/ComPtr.h"
#include "automation/win32/MessageFilterRegistration.h"
#include "comserver/EnumVariantServer.h"
#include "comserver/ServerObjects.h"
#include "comserver/ServerTypeInfo.h"
#include "comserver/ServingTime.h"
#include "model/ListEnumerator.h"
#include "model/FileStore.h"
#include "model/MemoryUse.h"
#include "model/SimObject.h"
#include "server/ApplicationClassFactory.h"
#include "server/BusyMessageFilter.h"
#include "server/ClassObjectRegistration.h"
#include "server/EdgeSimClass.h"
#include "server/HostWindow.h"
#include "server/InterfacePins.h"
#include "server/PromptAnswerListener.h"
#include "server/RunningObjectRegistration.h"

namespace edgesim::server {

namespace {

using korvane::com::ComPtr;
using korvane::com::MessageFilterRegistration;
using korvane::com::ServerObjects;

// The interface id each kind of simulated object reports as its type, so callers share name look-ups per kind.
std::optional<GUID> typeOf(korvane::Dispatch& object) {
    std::wstring_view interfaceId = interfaceIdOf(object);
    if (interfaceId.empty()) return std::nullopt;
    std::wstring text = L"{" + std::wstring(interfaceId) + L"}";
    GUID id{};
    if (FAILED(IIDFromString(text.c_str(), &id))) return std::nullopt;
    return id;
}

// For the log: how far the process grew (memory-per-open), the figure its working-set limit compares.
std::wstring workingSetText() {
    return L"Arbeitsspeicher " + std::to_wstring(processWorkingSet() / (uint64_t{1024} * 1024)) + L" MB";
}

std::wstring comBlock(size_t objects, unsigned long references) {
    return L"com\n  objects " + std::to_wstring(objects) + L"\n  references " + std::to_wstring(references) + L"\n";
}

}  // namespace

EdgeSimHost::EdgeSimHost(ServerOptions options) : options_(std::move(options)), log_(options_.log) {}

int EdgeSimHost::run() {
    try {
        korvane::com::Apartment apartment;
        serve();
        ServerObjects::instance().setTypeIdentity(nullptr);
        return 0;
    } catch (const korvane::AutomationError& e) {
        log_.write(L"Fehler " + std::to_wstring(e.number()) + L": " + e.description());
        return 1;
    }
}

void EdgeSimHost::serve() {
    log_.write(L"Start" + std::wstring(options_.embedding ? L" (von COM gestartet)" : L"") + L", Szenario \"" +
               options_.scenario + L"\"");
    simulator_ = options_.scenario.empty() ? Simulator::fromScenario(L"")
                                           : Simulator::fromScenarioFile(options_.scenario);
    ServerObjects::instance().setTypeIdentity(&typeOf);
    simulator_->onQuit([this] {
        log_.write(L"Quit aufgerufen");
        PostQuitMessage(0);
    });
    simulator_->onAbruptEnd([this] {
        log_.write(L"Abruptes Ende, " + workingSetText());
        writeState(L"com\n  ended-abruptly\n");
        writeTimes();
        TerminateProcess(GetCurrentProcess(), 3);
    });
    // A hanging call blocks this thread, and with it the message loop, for good: whoever ends the
    // process (the harness, as a user would in the task manager) finds the state written here.
    simulator_->onHang([this] {
        log_.write(L"Aufruf hängt");
        writeState(L"com\n  hanging\n");
    });
    // A prompt that waits blocks the same way until it is answered (SimControl answer-prompt).
    simulator_->onPrompt([this] {
        log_.write(L"Meldung wartet auf Antwort");
        writeState(L"com\n  prompting\n");
    });
    PromptAnswerListener answers(simulator_);

    auto filter = ComPtr<IMessageFilter>::adopt(new BusyMessageFilter(simulator_));
    MessageFilterRegistration filterRegistration(filter.get());

    ComPtr<IDispatch> application = ServerObjects::instance().wrap(simulator_->applicationDispatch());
    std::optional<InterfacePins> pins(std::in_place);
    pins->pin(IID_IDispatch, application.get());
    auto emptyList = std::make_unique<korvane::ListEnumerator>(std::vector<korvane::Variant>{});
    auto enumeration = ComPtr<IEnumVARIANT>::adopt(new korvane::com::EnumVariantServer(nullptr, std::move(emptyList)));
    pins->pin(IID_IEnumVARIANT, enumeration.get());
    auto typeInfo = ComPtr<ITypeInfo>::adopt(korvane::com::ServerTypeInfo::create(IID_IDispatch));
    pins->pin(IID_ITypeInfo, typeInfo.get());
    std::optional<RunningObjectRegistration> running;
    auto registerRunning = [&] {
        if (running || !simulator_->isRunning()) return;
        running.emplace(kEdgeSimClassId, application.get());
        log_.write(L"Als laufende Anwendung registriert");
    };
    registerRunning();
    auto factory = ComPtr<IClassFactory>::adopt(new ApplicationClassFactory(simulator_, registerRunning));
    std::optional<ClassObjectRegistration> classObject(std::in_place, kEdgeSimClassId, factory.get());
    HostWindow window;
    log_.write(L"Bereit");

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }

    // What is referenced after our own registrations are gone is held by callers.
    pins.reset();
    running.reset();
    classObject.reset();
    application.reset();
    const auto& served = ServerObjects::instance();
    log_.write(L"Ende, " + std::to_wstring(served.liveObjects()) + L" Objekte noch referenziert, " + workingSetText());
    writeState(comBlock(served.liveObjects(), served.heldReferences()));
    writeTimes();
}

void EdgeSimHost::writeTimes() {
    if (options_.times.empty()) return;
    const auto& time = korvane::com::ServingTime::instance();
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    const std::string line = "served " + std::to_string(time.calls()) + " " +
                             std::to_string(std::chrono::duration_cast<std::chrono::microseconds>(time.inside()).count()) +
                             " peak-working-set-kib " + std::to_string(counters.PeakWorkingSetSize / 1024) + "\r\n";
    const korvane::UniqueResource<HANDLE, &::CloseHandle, korvane::NullOrAllOnesEmpty<HANDLE>> file(
        CreateFileW(options_.times.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                    FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (!file || !WriteFile(file.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr))
        log_.write(L"Zeitendatei nicht schreibbar: " + options_.times);
}

void EdgeSimHost::writeState(const std::wstring& block) {
    if (options_.state.empty()) return;
    if (!FileStore().write(options_.state, simulator_->stateText() + block))
        log_.write(L"Zustandsdatei nicht schreibbar: " + options_.state);
}

}  // namespace edgesim::server
