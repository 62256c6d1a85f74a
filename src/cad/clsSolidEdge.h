#pragma once
// The connection to the CAD application: binding (to the running one, else a new one) and
// generic document services. Teardown switches settings 18 and 29 back on when connected and
// ends the application only when this object started it.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "automation/AutomationError.h"
#include "automation/Dispatch.h"

namespace korvane {

class AutomationBinder;
class FileSystem;

// The programmatic identifier of the CAD application.
inline constexpr wchar_t kSolidEdgeProgId[] = L"SolidEdge.Application";

class clsSolidEdge {
public:
    clsSolidEdge();  // with the platform's automation runtime and file system
    // Binds through the binder (nullptr: every binding fails) and compares names with the file system.
    clsSolidEdge(std::shared_ptr<AutomationBinder> binder, std::shared_ptr<FileSystem> fileSystem);
    ~clsSolidEdge();
    clsSolidEdge(const clsSolidEdge&) = delete;
    clsSolidEdge& operator=(const clsSolidEdge&) = delete;

    bool speichereSolidEdgeDokument(const std::wstring& DateiName);
    bool schlieseSolidEdgeDokument(const std::wstring& DateiName);
    Object liefereSolidEdgeAssemblyDokument(const std::wstring& DateiName);
    Object liefereSolidEdgePartDokument(const std::wstring& DateiName);
    void schliesseSolidEdgeApplication();
    Object liefereSolidEdgeApplication();
    int32_t oeffneDokument(const std::wstring& sDokument);
    std::wstring ermittleDokumentTyp();
    int32_t schliesseDokument(const std::wstring& sDokument);
    bool alteDateiVersion(const std::wstring& LastSavedVersion, int32_t VersionsGenauigkeit = 0);

    // The three-letter code of a document type number ("" for unknown numbers).
    static std::wstring dokumentTypCode(int32_t typeNumber);

    bool started() const noexcept { return started_; }
    bool connected() const noexcept { return connected_; }
    // Why the last binding failed, kept for diagnostics only; callers see the empty reference.
    const std::optional<AutomationError>& bindingFailure() const noexcept { return bindingFailure_; }

private:
    // Calls the action on every open document whose name is DateiName in UNC form, from the last down.
    bool forEachOpenDocumentNamed(const std::wstring& DateiName, const std::function<void(const Object&)>& action);
    // The open document of that name and type, else the file opened and taken if it is of that type.
    Object findOrOpenDocument(const std::wstring& DateiName, int32_t type);

    // The services it was made with; neither holds anything of the CAD application.
    std::shared_ptr<AutomationBinder> binder_;
    std::shared_ptr<FileSystem> fileSystem_;

    Object application_;
    bool started_ = false;
    bool connected_ = false;
    std::optional<AutomationError> bindingFailure_;
};

// Document type numbers as the CAD application reports them.
namespace doctype {
inline constexpr int32_t Part = 1;
inline constexpr int32_t Draft = 2;
inline constexpr int32_t Assembly = 3;
inline constexpr int32_t SheetMetal = 4;
inline constexpr int32_t Weldment = 5;
inline constexpr int32_t SheetMetalPart = 6;
}  // namespace doctype

}  // namespace korvane
