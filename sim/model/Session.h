#pragma once
// The state of one simulated application: its documents, settings, clipboard, the call log and the
// scripted faults. Every automation object serves its calls through the session.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "model/CallRecord.h"
#include "model/Document.h"
#include "model/Fault.h"
#include "model/LayeredStore.h"
#include "model/MemoryUse.h"
#include "model/PromptDesk.h"

namespace edgesim {

class ApplicationObject;

// Refusal of property additions: every name ("*") or one name, with the error to report.
struct AddRefusal {
    std::wstring name;
    int32_t number = 0;
    std::wstring description;
};

class Session : public std::enable_shared_from_this<Session> {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    explicit Session(std::shared_ptr<LayeredStore> store);
    // Creates the application object; call once right after construction.
    void createApplication();

    // --- Serving calls (SimObject) ---
    korvane::Variant serve(SimObject& target, korvane::DispId id, korvane::InvokeKind kind,
                           std::vector<korvane::Variant>& args);
    korvane::DispId lookup(SimObject& target, std::wstring_view name);
    std::vector<korvane::Variant> enumerateItems(SimObject& target);
    void noteBinding(std::wstring_view how, std::wstring_view progId, bool ok, int32_t error);

    // --- Documents ---
    // Opens a file through the store, or returns the open document of that name (case ignored). A file
    // read anew meets its open prompts unless `meetPrompts` is false (documents open before the run).
    std::shared_ptr<Document> open(const std::wstring& path, bool meetPrompts = true);
    // Adds a document that did not come from the store (scenario inline documents, new documents).
    std::shared_ptr<Document> adopt(std::wstring fullName, DocumentContent content);
    std::shared_ptr<Document> find(std::wstring_view fullName) const;
    void activate(const std::shared_ptr<Document>& document);
    void deactivate() noexcept { active_.reset(); }
    void close(Document& document);
    void save(Document& document);
    const std::vector<std::shared_ptr<Document>>& documents() const noexcept { return documents_; }
    const std::shared_ptr<Document>& active() const noexcept { return active_; }
    // Raises E_FAIL "Kein aktives Dokument" when there is none.
    const std::shared_ptr<Document>& requireActive() const;

    // --- Application state ---
    void runCommand(int32_t command);
    void quit();
    void noteIdle() noexcept { ++idleCalls_; }
    void note(std::wstring text) { notes_.push_back(std::move(text)); }

    std::wstring version;
    bool running = true;
    // An instance started by automation has no window until a client makes it visible.
    bool visible = true;
    bool startable = true;
    size_t startCount = 0;
    std::map<korvane::DispId, bool> settings{{18, true}, {29, true}};
    std::vector<Fault> faults;
    std::vector<AddRefusal> addRefusals;
    PromptDesk prompts;
    MemoryUse memory;
    // The refusal for adding a property of that name, if any.
    const AddRefusal* refusalFor(std::wstring_view propertyName) const;

    bool hasQuit() const noexcept { return quit_; }
    bool endedAbruptly() const noexcept { return dead_; }
    // The process was ended from outside (any thread): a hanging call fails, every later one finds the
    // server gone.
    void endAbruptly();
    // Lets a hanging call (or the next one to hang) go on and be served (any thread).
    void releaseHang();
    bool isBusy() const;
    void noteRejectedCall() noexcept { ++rejectedCalls_; }
    size_t rejectedCallCount() const noexcept { return rejectedCalls_; }
    Clock clock = [] { return std::chrono::steady_clock::now(); };
    std::function<void()> quitHook;
    std::function<void()> abruptEndHook;
    std::function<void()> hangHook;  // a call starts to hang: the host's last chance to say so

    const std::shared_ptr<ApplicationObject>& application() const noexcept { return application_; }
    const std::vector<std::wstring>& clipboard() const noexcept { return clipboard_; }
    const std::vector<int32_t>& commands() const noexcept { return commands_; }
    size_t idleCallCount() const noexcept { return idleCalls_; }
    const std::vector<std::wstring>& notes() const noexcept { return notes_; }
    const std::vector<CallRecord>& calls() const noexcept { return calls_; }
    size_t callCount() const;        // invokes and enumerations
    size_t nameLookupCount() const;  // look-ups of member names answered
    LayeredStore& store() const noexcept { return *store_; }

private:
    // Appends a log entry and gives its index (entries are reached by index: the log grows during calls).
    size_t record(SimObject& target, korvane::DispId id, std::wstring member, CallKind kind);
    // Runs a call's body; a failure is written into the log entry and travels on.
    template <class F>
    auto guarded(size_t entry, F&& body) -> decltype(body());
    void refuseWhenEnded(const SimObject& target) const;
    // Raises for a firing error or crash; returns a firing fault that changes the answer instead, if any.
    const Fault* applyFaults(SimObject& target, korvane::DispId id, std::wstring_view member);
    // Ends the application at the call under way, as a crash does: the call fails, the host ends.
    [[noreturn]] void crash();
    // Blocks the calling thread until releaseHang() or endAbruptly(); raises after the latter.
    void hang();

    std::shared_ptr<LayeredStore> store_;
    std::shared_ptr<ApplicationObject> application_;
    std::vector<std::shared_ptr<Document>> documents_;
    std::vector<std::shared_ptr<Document>> activationOrder_;  // open documents once activated, most recent last
    std::shared_ptr<Document> active_;
    std::vector<std::wstring> clipboard_;
    std::vector<int32_t> commands_;
    std::vector<std::wstring> notes_;
    std::vector<CallRecord> calls_;
    size_t idleCalls_ = 0;
    size_t untitled_ = 0;
    size_t rejectedCalls_ = 0;
    bool quit_ = false;
    std::atomic<bool> dead_{false};
    std::mutex hangMutex_;
    std::condition_variable hangLifted_;
    bool hangReleased_ = false;
    std::optional<std::chrono::steady_clock::time_point> busyUntil_;
};

}  // namespace edgesim
