#include "model/Simulator.h"

#include "model/ApplicationObject.h"
#include "model/FileStore.h"
#include "model/LayeredStore.h"
#include "model/MemoryStore.h"
#include "model/ScenarioLoader.h"
#include "model/Session.h"
#include "model/SimError.h"
#include "model/StateWriter.h"

namespace edgesim {

std::shared_ptr<Simulator> Simulator::fromScenario(std::wstring_view scenarioText, std::shared_ptr<DocumentStore> store) {
    if (!store) store = std::make_shared<MemoryStore>();
    std::shared_ptr<Simulator> simulator(new Simulator());
    simulator->session_ = std::make_shared<Session>(std::make_shared<LayeredStore>(std::move(store)));
    simulator->session_->version = L"12.00.00.55";
    simulator->session_->createApplication();
    ScenarioLoader::load(*simulator->session_, scenarioText);
    return simulator;
}

std::shared_ptr<Simulator> Simulator::fromScenarioFile(std::wstring_view file) {
    auto store = std::make_shared<FileStore>();
    std::optional<std::wstring> text = store->read(file);
    if (!text) err::raise(err::Fail, L"Das Szenario " + std::wstring(file) + L" kann nicht gelesen werden.");
    return fromScenario(*text, std::move(store));
}

Simulator::~Simulator() = default;

korvane::Object Simulator::application() const { return korvane::Object(applicationDispatch()); }
korvane::DispatchPtr Simulator::applicationDispatch() const { return session_->application(); }

bool Simulator::isRunning() const { return session_->running && !session_->hasQuit() && !session_->endedAbruptly(); }
bool Simulator::canStart() const { return session_->startable && !session_->hasQuit() && !session_->endedAbruptly(); }
void Simulator::markStarted() {
    // Started by automation, not by a user: no window until a client asks for one.
    if (!session_->running) session_->visible = false;
    session_->running = true;
    ++session_->startCount;
}
size_t Simulator::startCount() const { return session_->startCount; }
bool Simulator::hasQuit() const { return session_->hasQuit(); }
bool Simulator::endedAbruptly() const { return session_->endedAbruptly(); }
bool Simulator::isBusy() const { return session_->isBusy(); }
void Simulator::noteRejectedCall() { session_->noteRejectedCall(); }
void Simulator::onQuit(std::function<void()> hook) { session_->quitHook = std::move(hook); }
void Simulator::onAbruptEnd(std::function<void()> hook) { session_->abruptEndHook = std::move(hook); }
void Simulator::onHang(std::function<void()> hook) { session_->hangHook = std::move(hook); }
void Simulator::endAbruptly() { session_->endAbruptly(); }
void Simulator::releaseHang() { session_->releaseHang(); }
void Simulator::onPrompt(std::function<void()> hook) { session_->prompts.waitHook = std::move(hook); }
void Simulator::answerPrompt() { session_->prompts.answer(); }
bool Simulator::promptWaiting() const { return session_->prompts.waiting(); }
void Simulator::setClock(Clock clock) { session_->clock = std::move(clock); }
void Simulator::setWorkingSetMeter(std::function<uint64_t()> meter) { session_->memory.workingSet = std::move(meter); }
uint64_t Simulator::memoryLeftBehind() const { return session_->memory.leftBehind(); }
void Simulator::noteBinding(std::wstring_view how, std::wstring_view progId, bool ok, int32_t error) {
    session_->noteBinding(how, progId, ok, error);
}

bool Simulator::setting(korvane::DispId id) const {
    auto it = session_->settings.find(id);
    return it == session_->settings.end() || it->second;
}

std::vector<std::shared_ptr<const Document>> Simulator::documents() const {
    return {session_->documents().begin(), session_->documents().end()};
}

std::shared_ptr<const Document> Simulator::activeDocument() const { return session_->active(); }
std::shared_ptr<const Document> Simulator::findDocument(std::wstring_view fullName) const {
    return session_->find(fullName);
}
const std::vector<std::wstring>& Simulator::clipboard() const { return session_->clipboard(); }
std::vector<int32_t> Simulator::commands() const { return session_->commands(); }
size_t Simulator::idleCallCount() const { return session_->idleCallCount(); }
const std::vector<std::wstring>& Simulator::notes() const { return session_->notes(); }
const std::vector<CallRecord>& Simulator::calls() const { return session_->calls(); }

std::wstring Simulator::stateText() const { return StateWriter::write(*session_); }

std::wstring Simulator::fileStateText(std::wstring_view path) const {
    return StateWriter::describeFile(path, session_->store().read(path));
}

}  // namespace edgesim
