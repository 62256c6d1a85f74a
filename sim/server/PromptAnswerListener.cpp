#include "server/PromptAnswerListener.h"

#include <utility>

namespace edgesim::server {

PromptAnswerListener::PromptAnswerListener(std::shared_ptr<Simulator> simulator)
    : simulator_(std::move(simulator)),
      answer_(CreateEventW(nullptr, FALSE, FALSE, promptAnswerEventName(GetCurrentProcessId()).c_str())),
      stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    // Without its events the server still runs; its prompts then wait until the process is ended.
    if (answer_ && stop_) thread_ = std::thread([this] { listen(); });
}

PromptAnswerListener::~PromptAnswerListener() {
    if (!thread_.joinable()) return;
    SetEvent(stop_.get());
    thread_.join();
}

void PromptAnswerListener::listen() {
    const HANDLE events[] = {stop_.get(), answer_.get()};
    while (WaitForMultipleObjects(2, events, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) simulator_->answerPrompt();
}

}  // namespace edgesim::server
