#pragma once
// Binding to the simulated application as a program binds to a COM server, within one process.
#include <memory>

#include "automation/AutomationBinder.h"

namespace edgesim {

class Simulator;

class InProcessBinder : public korvane::AutomationBinder {
public:
    explicit InProcessBinder(std::shared_ptr<Simulator> simulator);
    // The application when the scenario says it runs; raises 429 otherwise.
    korvane::Object getActiveObject(std::wstring_view progId) override;
    // Starts the application (counted in Simulator::startCount); raises 429 when it cannot start.
    korvane::Object createObject(std::wstring_view progId) override;

private:
    std::shared_ptr<Simulator> simulator_;
};

}  // namespace edgesim
