#include "drawing/Messages.h"

#include <cstdio>

#include "automation/TextConvert.h"

namespace korvane {

namespace {

constexpr wchar_t kCrLf[] = L"\r\n";

}  // namespace

const std::wstring kVorlageFehlt =
    std::wstring(L"Draftvorlage konnte nicht gefunden werden!") + kCrLf + L"Bitte wenden Sie sich an den Administrator.";
const std::wstring kMehrfachGestartet =
    std::wstring(L"SolidEdge ist mehrfach gestartet!") + kCrLf + L"Hintergrundblätter können nicht getauscht werden";
const std::wstring kSchriftfeldFehlt = L"Dateieigenschaften für SAP-Schriftfeld konnten nicht angelegt werden";

// In the runtime's familiar form; numbers that are really HRESULTs also show their hexadecimal form.
std::wstring errorReport(const AutomationError& e) {
    std::wstring number = std::to_wstring(e.number());
    if (e.number() < 0) {
        char hex[9] = {};
        std::snprintf(hex, sizeof hex, "%08X", static_cast<unsigned>(e.number()));
        number += L" (" + fromUtf8(hex) + L")";
    }
    return L"Laufzeitfehler '" + number + L"':" + kCrLf + kCrLf + e.description();
}

}  // namespace korvane
