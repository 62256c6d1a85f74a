#pragma once
// The answer from outside to a prompt that waits: a prompt blocks the server's one thread (its modal
// dialog, in the real application), so the answer comes through a named event of the process
// (SimControl answer-prompt sets it) and another thread hands it to the simulator.
#include <windows.h>

#include <memory>
#include <string>
#include <thread>

#include "automation/UniqueResource.h"
#include "model/Simulator.h"

namespace edgesim::server {

// The event that answers the prompts of the EdgeSim process with that id.
inline std::wstring promptAnswerEventName(DWORD processId) {
    return L"EdgeSim.PromptAnswer." + std::to_wstring(processId);
}

class PromptAnswerListener {
public:
    explicit PromptAnswerListener(std::shared_ptr<Simulator> simulator);
    ~PromptAnswerListener();  // stops and joins the thread
    PromptAnswerListener(const PromptAnswerListener&) = delete;
    PromptAnswerListener& operator=(const PromptAnswerListener&) = delete;

private:
    using UniqueHandle = korvane::UniqueResource<HANDLE, &::CloseHandle, korvane::NullOrAllOnesEmpty<HANDLE>>;

    void listen();

    std::shared_ptr<Simulator> simulator_;
    UniqueHandle answer_;
    UniqueHandle stop_;
    std::thread thread_;
};

}  // namespace edgesim::server
