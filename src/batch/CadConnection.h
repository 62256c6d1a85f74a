#pragma once
// The batch's hold on the CAD application: the drawing object of the library (which binds to the
// running application or starts one, and ends only one it started), the template opened once for the
// whole batch, and the documents the user had open, which the batch never touches. When the
// application dies or stops answering, reconnect() binds again (or starts a new instance) and opens
// the template there.
#include <atomic>
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "automation/Dispatch.h"
#include "batch/SheetPlan.h"
#include "cad/clsSolidEdge.h"
#include "drawing/clsSolidEdgeDraft.h"
#include "files/clsFileString.h"
#include "processes/PlatformServices.h"

namespace korvane {

// The census pattern of the CAD application's processes.
inline constexpr wchar_t kCadProcessPattern[] = L"*Edge*";

class CadConnection {
public:
    CadConnection(std::wstring templatePath, PlatformServices services);
    ~CadConnection();  // closes the template if the batch opened it; the teardowns end a started application
    CadConnection(const CadConnection&) = delete;
    CadConnection& operator=(const CadConnection&) = delete;

    // Binds (or starts), closes without saving the documents an interrupted run of the batch left open
    // (UNC names), notes the user's open documents and finds or opens the template. Raises when there
    // is no application or the template cannot be had as a drawing.
    void connect(const std::vector<std::wstring>& leftOpenByBatch = {});
    // After the application died or stopped answering: lets go of it and connects anew.
    void reconnect();
    // Whether the application answers a call now.
    bool answers();

    clsSolidEdgeDraft& draft() { return *draft_; }
    const Object& application() const { return application_; }
    const std::wstring& templatePath() const { return templatePath_; }
    // A document the user had open when the batch connected (UNC name).
    bool isUsersDocument(const std::wstring& uncName) const { return usersDocuments_.count(uncName) > 0; }
    // The template's background sheets, read once per connection (for the dry run).
    const std::vector<SheetInfo>& templateSheets();
    size_t reconnections() const { return reconnections_; }
    // The process of the application the batch started itself, found as the one the census did not
    // list before the start; 0 when the application is the user's or its process is not known for
    // sure. Read from any thread.
    uint32_t startedProcessId() const { return startedProcess_; }

private:
    void release() noexcept;

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
    std::set<std::wstring> usersDocuments_;
    std::vector<SheetInfo> templateSheets_;
    bool templateSheetsRead_ = false;
    size_t reconnections_ = 0;
};

}  // namespace korvane
