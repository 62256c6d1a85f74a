#include "batch/CadConnection.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <set>
#include <thread>

#include "automation/AutomationError.h"
#include "automation/ErrorPolicy.h"
#include "cad/DocumentName.h"
#include "cad/MemberIds.h"
#include "processes/clsSystem3.h"

namespace korvane {

namespace app = member::application;
namespace docs = member::documents;

namespace {
// How long an instance told to quit may take to end its process.
constexpr auto kEndWait = std::chrono::seconds(30);
}  // namespace

CadConnection::CadConnection(std::wstring templatePath, PlatformServices services)
    : templatePath_(std::move(templatePath)),
      services_(std::move(services)),
      files_(services_.fileSystem),
      identity_(services_.fileSystem) {}

CadConnection::~CadConnection() { release(); }

void CadConnection::release() noexcept {
    // Record and skip: a dead application must not keep the rest of the teardown from running.
    swallow([&] {
        if (templateOpenedHere_ && template_) template_.call(member::draft::Close, {Variant::boolean(false)});
    });
    template_.reset();
    templateOpenedHere_ = false;
    if (!startedHere_ && cad_) reactivateUsersDocument();
    templateSheets_.clear();
    templateSheetsRead_ = false;
    // The library's access objects tell only whether their last binding started the application,
    // and every operation binds anew; so the batch ends the one it started itself. One that is gone
    // (died, or ended for not answering) is left: binding anew to end it would start another.
    const bool ending = startedHere_ && cad_ && answers();
    if (ending) {
        restoreAlerts();
        swallow([&] { cad_->schliesseSolidEdgeApplication(); });
    }
    startedHere_ = false;
    startedProcess_ = 0;
    // The access objects switch alerts on as they go, so the value found goes back after them.
    cad_.reset();
    draft_.reset();
    if (!ending) restoreAlerts();
    application_.reset();
}

void CadConnection::silenceAlerts(const std::optional<bool>& foundByKilledRun) {
    // Let through: an application that does not take its alerts setting would wait at the first
    // prompt, and one whose value is not known could not get it back.
    // Read once, at the run's first binding; a killed run found it before it switched alerts off.
    if (!alertsFound_) alertsFound_ = foundByKilledRun ? *foundByKilledRun : application_.get(app::DisplayAlerts).toBool();
    application_.put(app::DisplayAlerts, Variant::boolean(false));
}

void CadConnection::restoreAlerts() noexcept {
    // Record and skip: an application that is gone has nothing to put back into, and the rest of the
    // release must run.
    if (!alertsFound_ || application_.isNothing()) return;
    swallow([&] { application_.put(app::DisplayAlerts, Variant::boolean(*alertsFound_)); });
}

void CadConnection::connect(const Leftovers& leftovers) {
    cad_ = std::make_unique<clsSolidEdge>(services_.binder, services_.fileSystem);
    clsSystem3 census(services_.processTable);
    const std::vector<uint32_t> before = census.liefereProzessIDs(kCadProcessPattern);
    if (!runningBeforeKnown_) runningBefore_ = before;
    runningBeforeKnown_ = true;
    application_ = cad_->liefereSolidEdgeApplication();
    startedHere_ = cad_->started();
    if (startedHere_) {
        // Exactly one new process, or none is taken for the batch's: ending a process on a guess
        // could end the user's Solid Edge.
        std::vector<uint32_t> added;
        for (const uint32_t id : census.liefereProzessIDs(kCadProcessPattern))
            if (std::find(before.begin(), before.end(), id) == before.end()) added.push_back(id);
        if (added.size() == 1) startedProcess_ = added.front();
    }
    draft_ = std::make_unique<clsSolidEdgeDraft>(services_.binder, services_.fileSystem);
    // A failed binding always leaves its report.
    if (application_.isNothing()) throw cad_->bindingFailure().value();
    drawingsOpened_ = 0;
    // Started by automation, the application has no window, and the exchange works through the current
    // window's selection. The user's Solid Edge is shown as the user left it.
    if (startedHere_) application_.put(L"Visible", Variant::boolean(true));
    silenceAlerts(leftovers.alerts);
    closeDocuments(leftovers.openDrawings);

    // The document the user works in; a killed run knew it better, since it made itself the active one.
    activeBefore_ = leftovers.activeDocument;
    if (activeBefore_.empty() && !startedHere_ && application_.getObject(app::Documents).get(docs::Count).toLong() > 0) {
        activeBefore_ = swallow(std::wstring(), [&] { return application_.getObject(app::ActiveDocument).get(L"FullName").toText(); });
    }
    template_ = draft_->findOrOpenDraft(templatePath_, templateOpenedHere_);
    if (template_.isNothing())
        throw AutomationError(rt::InvalidArgument, L"Die Vorlage " + templatePath_ + L" ist keine Zeichnung.");
    // The template a killed run opened is the batch's to close, not the user's.
    if (leftovers.templateOpenedByBatch) templateOpenedHere_ = true;
}

Object CadConnection::firstOpenDocument(const std::function<bool(const FileName&)>& matches) {
    Object documents = application_.getObject(app::Documents);
    const int32_t count = documents.get(docs::Count).toLong();
    for (int32_t position = 1; position <= count; ++position) {
        Object document = documents.callObject(docs::Item, {Variant::i4(position)});
        const std::wstring name = document.get(L"FullName").toText();
        if (name.empty()) continue;  // a new document that was never saved
        if (matches(identity_.of(name))) return document;
    }
    return Object();
}

bool CadConnection::isOpenInCad(const std::wstring& path) {
    const std::wstring key = identity_.keyOf(path);
    const auto file = identity_.fileIdentity(path);
    return !firstOpenDocument([&](const FileName& open) {
                return open.key == key || (file && identity_.fileIdentity(open.path) == file);
            }).isNothing();
}

void CadConnection::closeDocuments(const std::vector<std::wstring>& paths) {
    if (paths.empty()) return;
    std::set<std::wstring> keys;
    for (const std::wstring& path : paths) keys.insert(identity_.of(path).key);
    // Downwards, so that a closed document never shifts one not yet visited.
    Object documents = application_.getObject(app::Documents);
    for (int32_t position = documents.get(docs::Count).toLong(); position >= 1; --position) {
        Object document = documents.callObject(docs::Item, {Variant::i4(position)});
        const std::wstring name = document.get(L"FullName").toText();
        if (!name.empty() && keys.count(identity_.of(name).key) > 0)
            document.call(member::draft::Close, {Variant::boolean(false)});
    }
}

void CadConnection::reactivateUsersDocument() noexcept {
    // Neutral result: a document the user closed meanwhile, or an application that is gone, leaves
    // nothing to put back.
    if (activeBefore_.empty()) return;
    swallow([&] {
        const std::wstring key = identity_.of(activeBefore_).key;
        Object document = firstOpenDocument([&](const FileName& open) { return open.key == key; });
        if (!document.isNothing()) document.call(L"Activate");
    });
}

void CadConnection::reconnect() {
    release();
    ++reconnections_;
    connect();
}

void CadConnection::restart() {
    const uint32_t old = startedProcess_;
    release();
    awaitEnd(old);
    ++restarts_;
    connect();
}

void CadConnection::awaitEnd(uint32_t processId) {
    if (processId == 0) return;
    clsSystem3 census(services_.processTable);
    const auto running = [&] {
        const std::vector<uint32_t> ids = census.liefereProzessIDs(kCadProcessPattern);
        return std::find(ids.begin(), ids.end(), processId) != ids.end();
    };
    const auto until = std::chrono::steady_clock::now() + kEndWait;
    while (running()) {
        if (std::chrono::steady_clock::now() >= until) {
            census.killProzessID(static_cast<int32_t>(processId));
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

bool CadConnection::anotherInstanceRuns() const {
    // When in doubt, yes: a restart put off costs memory, one into the user's Solid Edge costs their work.
    std::vector<uint32_t> ids = clsSystem3(services_.processTable).liefereProzessIDs(kCadProcessPattern);
    // What ran before the run's first binding and was not bound to runs beside the batch, not as the user's.
    std::erase_if(ids, [&](uint32_t id) {
        return std::find(runningBefore_.begin(), runningBefore_.end(), id) != runningBefore_.end();
    });
    const uint32_t own = startedProcess_;
    // The batch's own process not known for sure: then any second one is somebody else's.
    if (own == 0) return ids.size() != 1;
    // A census that does not list the batch's own cannot tell either.
    if (std::find(ids.begin(), ids.end(), own) == ids.end()) return true;
    return ids.size() > 1;
}

bool CadConnection::answers() {
    return swallow(false, [&] {
        application_.getObject(app::Documents).get(docs::Count);
        return true;
    });
}

const std::vector<SheetInfo>& CadConnection::templateSheets() {
    if (!templateSheetsRead_) {
        templateSheets_ = backgroundSheetsOf(template_);
        templateSheetsRead_ = true;
    }
    return templateSheets_;
}

}  // namespace korvane
