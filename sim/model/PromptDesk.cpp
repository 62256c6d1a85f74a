#include "model/PromptDesk.h"

#include "model/SimError.h"

namespace edgesim {

void PromptDesk::meet(const std::vector<DocumentPrompt>& prompts, DocumentPrompt::At at, const std::wstring& document,
                      bool alertsOn) {
    for (const DocumentPrompt& prompt : prompts) {
        if (prompt.at != at) continue;
        events_.push_back(Event{at, alertsOn, document, prompt.text});
        if (alertsOn) wait();
    }
}

void PromptDesk::wait() {
    if (waitHook) waitHook();
    std::unique_lock<std::mutex> lock(mutex_);
    waiting_ = true;
    changed_.wait(lock, [this] { return ended_ || answered_; });
    waiting_ = false;
    answered_ = false;
    if (ended_) err::raise(err::CallFailed, L"Der Remoteprozeduraufruf ist fehlgeschlagen.");
}

void PromptDesk::answer() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        answered_ = true;
    }
    changed_.notify_all();
}

void PromptDesk::end() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        ended_ = true;
    }
    changed_.notify_all();
}

bool PromptDesk::waiting() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return waiting_;
}

}  // namespace edgesim
