#include "batch/win32/ConsoleStop.h"

namespace korvane {

namespace {

std::atomic<ConsoleStop*> installed{nullptr};

}  // namespace

ConsoleStop::ConsoleStop() : ended_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    installed = this;
    SetConsoleCtrlHandler(&ConsoleStop::handler, TRUE);
}

ConsoleStop::~ConsoleStop() {
    SetConsoleCtrlHandler(&ConsoleStop::handler, FALSE);
    installed = nullptr;
}

void ConsoleStop::batchEnded() noexcept {
    if (ended_) SetEvent(ended_.get());
}

BOOL WINAPI ConsoleStop::handler(DWORD event) noexcept {
    ConsoleStop* stop = installed.load();
    if (!stop) return FALSE;  // not ours to answer: the next handler (finally the default) decides
    stop->requested_ = true;
    if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT) {
        // Windows ends the process when this returns: give the batch that long to abandon the current
        // drawing and write its report.
        if (stop->ended_) WaitForSingleObject(stop->ended_.get(), CloseGrace);
    }
    return TRUE;
}

}  // namespace korvane
