#include "model/InProcessBinder.h"

#include "automation/AutomationError.h"
#include "automation/TextConvert.h"
#include "model/Simulator.h"

namespace edgesim {

InProcessBinder::InProcessBinder(std::shared_ptr<Simulator> simulator) : simulator_(std::move(simulator)) {}

korvane::Object InProcessBinder::getActiveObject(std::wstring_view progId) {
    bool ok = korvane::equalsIgnoringCase(progId, kProgId) && simulator_->isRunning();
    simulator_->noteBinding(L"GetActiveObject", progId, ok, ok ? 0 : korvane::rt::CannotCreateObject);
    if (!ok) korvane::raiseRuntimeError(korvane::rt::CannotCreateObject);
    return simulator_->application();
}

korvane::Object InProcessBinder::createObject(std::wstring_view progId) {
    bool ok = korvane::equalsIgnoringCase(progId, kProgId) && simulator_->canStart();
    simulator_->noteBinding(L"CreateObject", progId, ok, ok ? 0 : korvane::rt::CannotCreateObject);
    if (!ok) korvane::raiseRuntimeError(korvane::rt::CannotCreateObject);
    simulator_->markStarted();
    return simulator_->application();
}

}  // namespace edgesim
