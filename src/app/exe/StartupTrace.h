#pragma once
// Where korvane.exe's start-up time goes, for scripts/bench: when the environment variable
// KORVANE_STARTUP_TRACE names a file, the program appends one line per stage to it,
// "<stage> <microseconds since the process was created>", after a first line "created-filetime <system
// time of the creation, 100 ns units>". Without the variable nothing is traced,
// nothing is wrapped and nothing is written: the run is the plain one.
#include <memory>

#include "app/UserInterface.h"
#include "processes/ProcessTable.h"

namespace korvane::startup {

// Notes a stage, when tracing is on. Cheap enough to leave in: one branch when off.
void mark(const char* stage);
bool tracing();

// The census port, noting when the census takes its snapshot and when it has it.
class TracedProcessTable : public ProcessTable {
public:
    explicit TracedProcessTable(std::shared_ptr<ProcessTable> inner) : inner_(std::move(inner)) {}
    std::optional<std::vector<ProcessEntry>> snapshot() override;
    void terminate(uint32_t processId, uint32_t exitCode) override { inner_->terminate(processId, exitCode); }

private:
    std::shared_ptr<ProcessTable> inner_;
};

// The user interface, noting when the dialog is asked for and when its window first shows.
class TracedUserInterface : public UserInterface {
public:
    explicit TracedUserInterface(UserInterface& inner) : inner_(inner) {}
    int32_t messageBox(const std::wstring& text, int32_t style, const std::wstring& title) override {
        return inner_.messageBox(text, style, title);
    }
    int32_t chooseTemplate() override;

private:
    UserInterface& inner_;
};

}  // namespace korvane::startup
