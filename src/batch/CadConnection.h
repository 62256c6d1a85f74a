#pragma once
// The batch's hold on the CAD application: the drawing object of the library (which binds to the
// running application or starts one, and ends only one it started), the template opened once for the
// whole batch, and the documents the user had open, which the batch never touches. When the
// application dies or stops answering, reconnect() binds again (or starts a new instance) and opens
// the template there.
//
// The application's prompts (an older version, links not found, a repair offered) would wait at night
// for an answer nobody gives: the connection reads the alerts setting at its first binding, before it
// changes anything, switches alerts off in every binding, and puts back the value found first on every
// release (the end, a stop, a start that failed, an application lost).
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "automation/Dispatch.h"
#include "batch/SheetPlan.h"
#include "cad/clsSolidEdge.h"
#include "drawing/clsSolidEdgeDraft.h"
#include "files/PathIdentity.h"
#include "files/clsFileString.h"
#include "processes/PlatformServices.h"

namespace korvane {

// The census pattern of the CAD application's processes.
inline constexpr wchar_t kCadProcessPattern[] = L"*Edge*";

// What a run of the batch that was killed left in the application, for the first connection to clear
// up: the drawings it had open (canonical paths), whether the template is its own to close, the
// document that was active before it, and the alerts setting it found (and switched off).
struct CadLeftovers {
    std::vector<std::wstring> openDrawings;
    bool templateOpenedByBatch = false;
    std::wstring activeDocument;
    std::optional<bool> alerts;
};

class CadConnection {
public:
    CadConnection(std::wstring templatePath, PlatformServices services);
    ~CadConnection();  // closes the template if the batch opened it; the teardowns end a started application
    CadConnection(const CadConnection&) = delete;
    CadConnection& operator=(const CadConnection&) = delete;

    using Leftovers = CadLeftovers;

    // Binds (or starts), switches alerts off, closes without saving the documents an interrupted run of
    // the batch left open, notes the document the user has active and finds or opens the template.
    // Raises when there is no application or the template cannot be had as a drawing.
    void connect(const Leftovers& leftovers = Leftovers());
    // After the application died or stopped answering: lets go of it and connects anew.
    void reconnect();
    // Ends the instance the batch started (the template it opened there closed first), waits until its
    // process is gone and starts a fresh one, the template opened there again. Only for an instance
    // started here (CadSupervision asks): the user's Solid Edge may hold their unsaved work.
    void restart();
    // Whether the application answers a call now.
    bool answers();

    clsSolidEdgeDraft& draft() { return *draft_; }
    const Object& application() const { return application_; }
    const std::wstring& templatePath() const { return templatePath_; }
    // The application has a document of this file open now, under whatever spelling (canonical path).
    bool isOpenInCad(const std::wstring& path);
    // Whether this connection opened the template (and so closes it), and the full name of the document
    // that was active before the batch (empty when none), for the report.
    bool templateOpenedHere() const { return templateOpenedHere_; }
    const std::wstring& activeDocumentBefore() const { return activeBefore_; }
    // The template's background sheets, read once per connection (for the dry run).
    const std::vector<SheetInfo>& templateSheets();
    // The alerts setting this run puts back: the one a killed run found, else the one found at this
    // run's first binding; nothing before a binding.
    const std::optional<bool>& alertsFound() const { return alertsFound_; }
    size_t reconnections() const { return reconnections_; }
    size_t restarts() const { return restarts_; }
    // Whether the application is one the batch started itself (and so may end).
    bool startedHere() const { return startedHere_; }
    // The drawings the batch opened as new documents in this instance since it was bound.
    void noteDrawingOpened() { ++drawingsOpened_; }
    size_t drawingsOpened() const { return drawingsOpened_; }
    // The process of the application the batch started itself, found as the one the census did not
    // list before the start; 0 when the application is the user's or its process is not known for
    // sure. Read from any thread.
    uint32_t startedProcessId() const { return startedProcess_; }
    // Whether a Solid Edge other than the one the batch started runs now (the user started one during
    // the run). Ending the batch's own then would let the next binding, which takes the running one,
    // move the batch into the user's.
    bool anotherInstanceRuns() const;

private:
    void release() noexcept;
    // The first open document (saved ones only) whose canonical name matches; Nothing when none does.
    Object firstOpenDocument(const std::function<bool(const FileName&)>& matches);
    // Closes, without saving, every open document of one of these files (canonical paths).
    void closeDocuments(const std::vector<std::wstring>& paths);
    // Waits (bounded) until the process of an instance the batch ended is gone; ends it when it lingers,
    // so that the next binding cannot find the old instance still registered.
    void awaitEnd(uint32_t processId);
    // Makes the document that was active before the batch the active one again, where it is still open.
    void reactivateUsersDocument() noexcept;
    // Reads the alerts setting (kept only at the first binding) and switches alerts off.
    void silenceAlerts(const std::optional<bool>& foundByKilledRun);
    void restoreAlerts() noexcept;

    std::wstring templatePath_;
    PlatformServices services_;
    clsFileString files_;
    std::unique_ptr<clsSolidEdgeDraft> draft_;
    std::unique_ptr<clsSolidEdge> cad_;
    Object application_;
    Object template_;
    bool templateOpenedHere_ = false;
    bool startedHere_ = false;
    std::atomic<uint32_t> startedProcess_{0};
    PathIdentity identity_;
    std::wstring activeBefore_;
    std::optional<bool> alertsFound_;
    std::vector<SheetInfo> templateSheets_;
    bool templateSheetsRead_ = false;
    size_t reconnections_ = 0;
    size_t restarts_ = 0;
    size_t drawingsOpened_ = 0;
    std::vector<uint32_t> runningBefore_;  // the census of the application before the run's first binding
    bool runningBeforeKnown_ = false;
};

}  // namespace korvane
