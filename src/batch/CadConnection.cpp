#include "batch/CadConnection.h"

#include <algorithm>

#include "automation/AutomationError.h"
#include "automation/ErrorPolicy.h"
#include "cad/DocumentName.h"
#include "cad/MemberIds.h"
#include "processes/clsSystem3.h"

namespace korvane {

namespace app = member::application;
namespace docs = member::documents;

CadConnection::CadConnection(std::wstring templatePath, PlatformServices services)
    : templatePath_(std::move(templatePath)), services_(std::move(services)), files_(services_.fileSystem) {}

CadConnection::~CadConnection() { release(); }

void CadConnection::release() noexcept {
    // Record and skip: a dead application must not keep the rest of the teardown from running.
    swallow([&] {
        if (templateOpenedHere_ && template_) template_.call(member::draft::Close, {Variant::boolean(false)});
    });
    template_.reset();
    templateOpenedHere_ = false;
    templateSheets_.clear();
    templateSheetsRead_ = false;
    // The library's access objects tell only whether their last binding started the application,
    // and every operation binds anew; so the batch ends the one it started itself. One that is gone
    // (died, or ended for not answering) is left: binding anew to end it would start another.
    if (startedHere_ && cad_ && answers()) swallow([&] { cad_->schliesseSolidEdgeApplication(); });
    startedHere_ = false;
    startedProcess_ = 0;
    application_.reset();
    cad_.reset();
    draft_.reset();
}

void CadConnection::connect(const std::vector<std::wstring>& leftOpenByBatch) {
    cad_ = std::make_unique<clsSolidEdge>(services_.binder, services_.fileSystem);
    clsSystem3 census(services_.processTable);
    const std::vector<uint32_t> before = census.liefereProzessIDs(kCadProcessPattern);
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
    for (const std::wstring& name : leftOpenByBatch) cad_->schlieseSolidEdgeDokument(name);

    usersDocuments_.clear();
    Object documents = application_.getObject(app::Documents);
    const int32_t count = documents.get(docs::Count).toLong();
    for (int32_t position = 1; position <= count; ++position) {
        Object document = documents.callObject(docs::Item, {Variant::i4(position)});
        if (const auto name = uncNameOfDocument(files_, document.get(L"FullName"))) usersDocuments_.insert(*name);
    }
    template_ = draft_->findOrOpenDraft(templatePath_, templateOpenedHere_);
    if (template_.isNothing())
        throw AutomationError(rt::InvalidArgument, L"Die Vorlage " + templatePath_ + L" ist keine Zeichnung.");
}

void CadConnection::reconnect() {
    release();
    ++reconnections_;
    connect();
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
