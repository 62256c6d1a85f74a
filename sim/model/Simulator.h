#pragma once
// EdgeSim: a simulated CAD application with the automation members the program uses.
// A Simulator is loaded from a scenario (docs/edgesim-formats.md) and hosts the application in process;
// the COM host wraps the same objects for other processes.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "automation/AutomationBinder.h"
#include "automation/Dispatch.h"
#include "model/CallRecord.h"
#include "model/Document.h"
#include "model/DocumentStore.h"
#include "model/InProcessBinder.h"

namespace edgesim {

class Session;

// The programmatic identifier under which the application is registered.
inline constexpr wchar_t kProgId[] = L"SolidEdge.Application";

class Simulator {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    // Builds the application from scenario text. Files are read and saved through `store` (an in-memory
    // store when none is given); the scenario's inline files lie over it. Raises an AutomationError
    // describing the line when the scenario is malformed or names a file that cannot be read.
    static std::shared_ptr<Simulator> fromScenario(std::wstring_view scenarioText,
                                                   std::shared_ptr<DocumentStore> store = nullptr);
    // Reads a UTF-8 scenario file; documents not given inline are real files (FileStore).
    static std::shared_ptr<Simulator> fromScenarioFile(std::wstring_view file);

    ~Simulator();
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;

    // The application object (the same object for every call).
    korvane::Object application() const;
    korvane::DispatchPtr applicationDispatch() const;

    // --- Hosting ---
    bool isRunning() const;        // registered as the running application (and not ended)
    bool canStart() const;         // a new instance may be created
    void markStarted();            // an instance was created for a client: it runs from now on
    size_t startCount() const;     // how often an instance was created
    bool hasQuit() const;          // member 40 was called
    bool endedAbruptly() const;    // a scripted abrupt end happened
    bool isBusy() const;           // rejecting calls for now (a scripted busy span)
    void noteRejectedCall();       // the host turned a call away because the application was busy
    void onQuit(std::function<void()> hook);
    void onAbruptEnd(std::function<void()> hook);
    // A call starts to hang (scripted "hang"); the hook runs on the caller's thread before it blocks.
    void onHang(std::function<void()> hook);
    // The process was ended from outside, from any thread: a hanging call fails as a call to a server
    // that died, every later call finds none.
    void endAbruptly();
    // Lets a hanging call go on and be served, from any thread; one that has not begun to hang yet
    // will not hang.
    void releaseHang();
    // A prompt starts to wait for an answer (alerts on); the hook runs on the caller's thread before it
    // blocks.
    void onPrompt(std::function<void()> hook);
    // Answers the prompt that waits, or the next one shown, from any thread.
    void answerPrompt();
    bool promptWaiting() const;
    void setClock(Clock clock);
    // How the working set is measured against `working-set-limit` (the process's own by default).
    void setWorkingSetMeter(std::function<uint64_t()> meter);
    // Records a binding attempt of a client in the call log (not counted as a call).
    void noteBinding(std::wstring_view how, std::wstring_view progId, bool ok, int32_t error);

    // --- Inspection ---
    bool setting(korvane::DispId id) const;  // the Boolean settings 18 and 29 (True when never set)
    std::vector<std::shared_ptr<const Document>> documents() const;  // open documents, in Documents order
    std::shared_ptr<const Document> activeDocument() const;           // null when none
    std::shared_ptr<const Document> findDocument(std::wstring_view fullName) const;  // case ignored
    const std::vector<std::wstring>& clipboard() const;
    std::vector<int32_t> commands() const;   // command numbers sent through member 79, in order
    size_t idleCallCount() const;            // calls of member 63
    const std::vector<std::wstring>& notes() const;  // misuse the application noticed
    const std::vector<CallRecord>& calls() const;    // every call, look-up and binding, in order
    uint64_t memoryLeftBehind() const;               // bytes kept of the documents opened (memory-per-open)

    // The documented final-state text.
    std::wstring stateText() const;
    // The content of a file as the store holds it now, in the state format ("file <path> missing" when absent).
    std::wstring fileStateText(std::wstring_view path) const;

private:
    Simulator() = default;
    std::shared_ptr<Session> session_;
};

}  // namespace edgesim
