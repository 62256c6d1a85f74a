#include "batch/HangResponse.h"

#include <utility>

#include "batch/ExitCodes.h"
#include "processes/clsSystem3.h"

namespace korvane {

HangResponse::HangResponse(BatchConsole& console, std::shared_ptr<ProcessTable> processes, Settings settings)
    : console_(console), processes_(std::move(processes)), settings_(std::move(settings)) {}

void HangResponse::prepare(std::wstring drawing, bool resumable, Watchdog::Generation stretch) {
    std::lock_guard<std::mutex> lock(mutex_);
    drawing_ = std::move(drawing);
    resumable_ = resumable;
    stretch_ = stretch;
}

bool HangResponse::endedInstance() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return endedInstanceIn_ != 0 && endedInstanceIn_ == stretch_;
}

std::wstring HangResponse::reason() const {
    return L"Solid Edge hat nicht innerhalb von " + std::to_wstring(settings_.limit.count()) +
           L" s geantwortet und wurde beendet";
}

std::wstring HangResponse::userNotice() const {
    std::lock_guard<std::mutex> lock(mutex_);
    std::wstring text = L"Solid Edge antwortet seit " + std::to_wstring(settings_.limit.count()) +
                        L" s nicht mehr. Der Stapel beendet sich jetzt; Solid Edge bleibt unangetastet,\r\n"
                        L"denn dort kann ungesicherte Arbeit offen sein.\r\n";
    if (!drawing_.empty()) {
        text += L"In Arbeit war " + drawing_ +
                L";\r\nsie wird beim Fortsetzen aus ihrer Sicherung wiederhergestellt und neu bearbeitet.\r\n";
    }
    text += L"Bitte Solid Edge schließen (reagiert es nicht: im Task-Manager beenden)";
    if (resumable_) {
        text += L" und den Stapel dann mit denselben\r\nAngaben und /fortsetzen /bericht:\"" + settings_.reportFile +
                L"\" wieder starten.";
    } else {
        text += L" und den Stapel dann wieder starten.";
    }
    return text;
}

void HangResponse::operator()(Watchdog::Generation stretch) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (stretch != stretch_) return;
    }
    const uint32_t started = settings_.startedProcess();
    if (started != 0 && processes_) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            endedInstanceIn_ = stretch;
        }
        clsSystem3(processes_).killProzessID(static_cast<int32_t>(started));
        return;
    }
    endedBatch_ = true;
    console_.line(L"");
    console_.line(userNotice());
    settings_.endBatch(batchexit::NoAnswer);
}

}  // namespace korvane
