#include "batch/CadSupervision.h"

#include <thread>

namespace korvane {

namespace {

constexpr wchar_t kNotRestarted[] =
    L"Solid Edge lief schon und gehört dem Benutzer; es wird deshalb nicht neu gestartet (/neustart gilt nur für\r\n"
    L"ein vom Stapel gestartetes Solid Edge). Vor einem großen Lauf Solid Edge besser schließen: es wächst mit jeder\r\n"
    L"Zeichnung und wird langsam.";

constexpr int kReconnectAttempts = 6;
constexpr auto kReconnectPause = std::chrono::seconds(2);

HangResponse::Settings hangSettings(const CadSupervision::Settings& settings, CadConnection& cad) {
    HangResponse::Settings onHang;
    onHang.limit = settings.limit;
    onHang.reportFile = settings.reportFile;
    onHang.startedProcess = [&cad] { return cad.startedProcessId(); };
    onHang.endBatch = settings.endBatch;
    return onHang;
}

}  // namespace

CadSupervision::CadSupervision(std::wstring templatePath, BatchConsole& console, const PlatformServices& services,
                               const Settings& settings)
    : cad_(std::move(templatePath), services),
      console_(console),
      restartEvery_(settings.restartEvery),
      hang_(console, services.processTable, hangSettings(settings, cad_)),
      watchdog_(settings.limit, [this](Watchdog::Generation stretch) { hang_(stretch); }) {}

void CadSupervision::connect(const CadConnection::Leftovers& leftovers, bool resumable) {
    watched(L"", resumable, [&] { cad_.connect(leftovers); });
    if (restartEvery_ > 0 && !cad_.startedHere()) console_.line(kNotRestarted);
}

std::optional<AutomationError> CadSupervision::restartIfDue(bool resumable) {
    if (restartEvery_ == 0 || !cad_.startedHere() || cad_.drawingsOpened() < restartEvery_) return std::nullopt;
    // A Solid Edge the user started meanwhile: the batch keeps its own until the user's is gone, since
    // the fresh start would bind to the user's and work in it.
    if (cad_.anotherInstanceRuns()) {
        if (!restartDeferredSaid_)
            console_.line(L"Ein weiteres Solid Edge ist gestartet worden: der Stapel arbeitet in seinem eigenen weiter "
                          L"und startet es erst neu, wenn das andere beendet ist.");
        restartDeferredSaid_ = true;
        return std::nullopt;
    }
    restartDeferredSaid_ = false;
    console_.line(L"Solid Edge wird nach " + std::to_wstring(cad_.drawingsOpened()) +
                  L" Zeichnungen beendet und neu gestartet.");
    try {
        watched(L"", resumable, [&] { cad_.restart(); });
        return std::nullopt;
    } catch (const AutomationError&) {
        return reconnect(resumable);
    }
}

std::optional<AutomationError> CadSupervision::recoverAfter(DrawingResult& result, bool resumable) {
    bool lost = hang_.endedInstance();
    if (lost) result.errorText = hang_.reason() + L": " + result.errorText;
    else if (result.outcome == Outcome::Failed) lost = !watched(L"", resumable, [&] { return cad_.answers(); });
    if (!lost) return std::nullopt;
    result.errorText += L" (Solid Edge antwortet nicht mehr; neu verbunden)";
    return reconnect(resumable);
}

std::optional<AutomationError> CadSupervision::reconnect(bool resumable) {
    // A CAD application that just died may still be registered for a moment (its class object, its
    // running object), so a new instance may take a few tries.
    std::optional<AutomationError> failure;
    for (int attempt = 0; attempt < kReconnectAttempts; ++attempt) {
        if (attempt > 0) std::this_thread::sleep_for(kReconnectPause);
        try {
            watched(L"", resumable, [&] { cad_.reconnect(); });
            return std::nullopt;
        } catch (const AutomationError& e) {
            failure = e;
        }
    }
    return failure;
}

}  // namespace korvane
