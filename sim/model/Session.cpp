#include "model/Session.h"

#include <algorithm>

#include "automation/TextConvert.h"
#include "model/ApplicationObject.h"
#include "model/DocumentFormat.h"
#include "model/SimError.h"

namespace edgesim {

namespace {

CallKind callKindOf(korvane::InvokeKind kind) {
    switch (kind) {
    case korvane::InvokeKind::PropertyGet: return CallKind::Get;
    case korvane::InvokeKind::PropertyPut: return CallKind::Put;
    case korvane::InvokeKind::Method: return CallKind::Call;
    }
    return CallKind::Call;
}

}  // namespace

Session::Session(std::shared_ptr<LayeredStore> store) : store_(std::move(store)) {}

void Session::createApplication() { application_ = std::make_shared<ApplicationObject>(weak_from_this()); }

// --- Serving calls ---

size_t Session::record(SimObject& target, korvane::DispId id, std::wstring member, CallKind kind) {
    CallRecord entry;
    entry.sequence = calls_.size() + 1;
    entry.object = target.identity();
    entry.objectKind.assign(target.kind());
    entry.id = id;
    entry.member = std::move(member);
    entry.kind = kind;
    calls_.push_back(std::move(entry));
    return calls_.size() - 1;
}

void Session::refuseWhenEnded(const SimObject& target) const {
    if (dead_ || quit_) err::raise(err::ServerUnavailable, L"Der RPC-Server ist nicht verfügbar.");
    if (target.isDisconnected())
        err::raise(err::Disconnected, L"Das aufgerufene Objekt wurde von den Clients getrennt.");
}

const Fault* Session::applyFaults(SimObject& target, korvane::DispId id, std::wstring_view member) {
    Fault* firing = nullptr;
    for (Fault& fault : faults) {
        if (!fault.matches(target, id, member) || !fault.fires()) continue;
        if (fault.action == Fault::Action::Busy) {
            busyUntil_ = clock() + std::chrono::milliseconds(fault.busyMilliseconds);
        } else if (!firing) {
            firing = &fault;
        }
    }
    if (!firing) return nullptr;
    if (firing->action == Fault::Action::Nothing || firing->action == Fault::Action::Substitute) return firing;
    if (firing->action == Fault::Action::Hang) {
        hang();
        return nullptr;
    }
    if (firing->action == Fault::Action::Crash) crash();
    err::raise(firing->number, firing->description);
}

void Session::crash() {
    endAbruptly();
    if (abruptEndHook) abruptEndHook();
    err::raise(err::CallFailed, L"Der Remoteprozeduraufruf ist fehlgeschlagen.");
}

void Session::hang() {
    if (hangHook) hangHook();
    std::unique_lock<std::mutex> lock(hangMutex_);
    hangLifted_.wait(lock, [this] { return dead_ || hangReleased_; });
    hangReleased_ = false;
    if (dead_) err::raise(err::CallFailed, L"Der Remoteprozeduraufruf ist fehlgeschlagen.");
}

void Session::endAbruptly() {
    {
        std::lock_guard<std::mutex> lock(hangMutex_);
        dead_ = true;
        running = false;
    }
    hangLifted_.notify_all();
    prompts.end();
}

void Session::releaseHang() {
    {
        std::lock_guard<std::mutex> lock(hangMutex_);
        hangReleased_ = true;
    }
    hangLifted_.notify_all();
}

template <class F>
auto Session::guarded(size_t entry, F&& body) -> decltype(body()) {
    try {
        return body();
    } catch (const korvane::AutomationError& e) {
        calls_[entry].ok = false;
        calls_[entry].error = e.number();
        calls_[entry].errorText = e.description();
        throw;
    }
}

korvane::Variant Session::serve(SimObject& target, korvane::DispId id, korvane::InvokeKind kind,
                                std::vector<korvane::Variant>& args) {
    std::wstring member(target.memberName(id));
    size_t entry = record(target, id, member, callKindOf(kind));
    for (const korvane::Variant& a : args) calls_[entry].arguments.push_back(a.describe());
    return guarded(entry, [&] {
        refuseWhenEnded(target);
        if (const Fault* answer = applyFaults(target, id, member)) {
            if (answer->action == Fault::Action::Nothing) return korvane::Variant::nothing();
            // The log keeps the argument the client sent; the member serves the scripted one.
            if (args.empty()) args.emplace_back();
            args[0] = korvane::Variant(answer->substitute);
        }
        return target.serveMember(*this, id, kind, args);
    });
}

korvane::DispId Session::lookup(SimObject& target, std::wstring_view name) {
    size_t entry = record(target, 0, std::wstring(name), CallKind::Lookup);
    return guarded(entry, [&] {
        refuseWhenEnded(target);
        for (const MemberName& m : target.members()) {
            if (korvane::equalsIgnoringCase(m.name, name)) {
                calls_[entry].id = m.id;
                return m.id;
            }
        }
        korvane::raiseRuntimeError(korvane::rt::MemberNotSupported);
    });
}

std::vector<korvane::Variant> Session::enumerateItems(SimObject& target) {
    size_t entry = record(target, kNewEnumId, L"_NewEnum", CallKind::Enumerate);
    return guarded(entry, [&] {
        refuseWhenEnded(target);
        // An enumeration has no argument to substitute and always yields a list.
        if (applyFaults(target, kNewEnumId, L"_NewEnum")) return std::vector<korvane::Variant>{};
        return target.collectionItems(*this);
    });
}

void Session::noteBinding(std::wstring_view how, std::wstring_view progId, bool ok, int32_t error) {
    CallRecord entry;
    entry.sequence = calls_.size() + 1;
    entry.object = L"Binder";
    entry.objectKind = L"Binder";
    entry.member = std::wstring(how) + L" " + std::wstring(progId);
    entry.kind = CallKind::Bind;
    entry.ok = ok;
    entry.error = error;
    calls_.push_back(std::move(entry));
}

// Counted from the log, which keeps every entry: a failed call counts as a call, a failed look-up as no look-up.
size_t Session::callCount() const {
    return static_cast<size_t>(std::count_if(calls_.begin(), calls_.end(), [](const CallRecord& r) {
        return r.kind != CallKind::Lookup && r.kind != CallKind::Bind;
    }));
}

size_t Session::nameLookupCount() const {
    return static_cast<size_t>(std::count_if(calls_.begin(), calls_.end(), [](const CallRecord& r) {
        return r.kind == CallKind::Lookup && r.ok;
    }));
}

bool Session::isBusy() const { return busyUntil_ && clock() < *busyUntil_; }

// --- Documents ---

std::shared_ptr<Document> Session::find(std::wstring_view fullName) const {
    if (fullName.empty()) return nullptr;
    for (const auto& d : documents_)
        if (korvane::equalsIgnoringCase(d->fullName(), fullName)) return d;
    return nullptr;
}

std::shared_ptr<Document> Session::open(const std::wstring& path, bool meetPrompts) {
    std::shared_ptr<Document> document = find(path);
    if (!document) {
        // Grown past what it can hold, the application dies at the next document it is asked to open.
        if (memory.overCeiling()) crash();
        std::optional<std::wstring> text = store_->read(path);
        if (!text) err::raise(err::Fail, L"Die Datei \"" + path + L"\" konnte nicht geöffnet werden.");
        DocumentContent content = DocumentFormat::parse(*text, path);
        if (meetPrompts) prompts.meet(content.prompts, DocumentPrompt::At::Open, path, settings[18]);
        document = adopt(path, std::move(content));
        memory.leaveBehind();
    }
    activate(document);
    return document;
}

std::shared_ptr<Document> Session::adopt(std::wstring fullName, DocumentContent content) {
    std::wstring untitled;
    if (fullName.empty()) untitled = L"Unbenannt " + std::to_wstring(++untitled_);
    auto document = std::make_shared<Document>(weak_from_this(), std::move(fullName), std::move(content),
                                               std::move(untitled));
    documents_.push_back(document);
    return document;
}

void Session::activate(const std::shared_ptr<Document>& document) {
    std::erase(activationOrder_, document);
    activationOrder_.push_back(document);
    active_ = document;
}

const std::shared_ptr<Document>& Session::requireActive() const {
    if (!active_) err::raise(err::Fail, L"Kein aktives Dokument.");
    return active_;
}

void Session::close(Document& document) {
    std::shared_ptr<Document> keep = document.shared_from_this();
    document.markClosed();
    std::erase(activationOrder_, keep);
    std::erase(documents_, keep);
    if (active_ == keep) active_ = activationOrder_.empty() ? nullptr : activationOrder_.back();
}

void Session::save(Document& document) {
    if (document.fullName().empty())
        err::raise(err::Fail, L"Das Dokument \"" + document.shortName() + L"\" hat noch keinen Dateinamen.");
    prompts.meet(document.content().prompts, DocumentPrompt::At::Save, document.fullName(), settings[18]);
    if (!store_->write(document.fullName(), DocumentFormat::format(document.content())))
        err::raise(err::Fail, L"Die Datei \"" + document.fullName() + L"\" konnte nicht gespeichert werden.");
    document.markSaved();
}

// --- Application state ---

const AddRefusal* Session::refusalFor(std::wstring_view propertyName) const {
    for (const AddRefusal& r : addRefusals)
        if (r.name == L"*" || r.name == propertyName) return &r;
    return nullptr;
}

void Session::runCommand(int32_t command) {
    commands_.push_back(command);
    const std::wstring number = std::to_wstring(command);
    if (!active_ && (command == 10211 || command == 10212 || command == 57634 || command == 10100 || command == 57637)) {
        note(L"Befehl " + number + L" ohne aktives Dokument");
        if (command == 57634) clipboard_.clear();
        return;
    }
    switch (command) {
    case 10211:  // show the background sheets
        if (!active_->isDrafting()) note(L"Befehl 10211 in einem Dokument ohne Hintergrundblätter");
        else active_->showGroup(SheetGroupKind::Background);
        break;
    case 10212:  // back to the working sheets
        if (active_->isDrafting()) active_->showGroup(SheetGroupKind::Working);
        break;
    case 57634:  // copy
        clipboard_ = active_->selectedItems();
        if (active_->selection().empty()) note(L"Kopieren ohne Auswahl in " + active_->identity());
        break;
    case 10100:  // delete the selection
        if (active_->selection().empty()) note(L"Löschen ohne Auswahl in " + active_->identity());
        active_->deleteSelection();
        break;
    case 57637:  // paste
        if (clipboard_.empty()) note(L"Einfügen mit leerer Zwischenablage in " + active_->identity());
        else if (!active_->pasteIntoCurrentSheet(clipboard_))
            note(L"Einfügen ohne aktuelles Blatt in " + active_->identity());
        break;
    default:
        note(L"Unbekannter Befehl " + number);
        break;
    }
}

void Session::quit() {
    quit_ = true;
    running = false;
    if (quitHook) quitHook();
}

}  // namespace edgesim
