#pragma once
// The application's modal prompts: which were shown (and waited for an answer) and which took their
// default because alerts were off. A shown prompt blocks the call that raised it, as the real
// application's modal dialog does, until somebody answers it or the process ends; nothing else bounds
// the wait, since nothing bounds it in the application either.
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "model/DocumentPrompt.h"

namespace edgesim {

class PromptDesk {
public:
    struct Event {
        DocumentPrompt::At at = DocumentPrompt::At::Open;
        bool shown = false;       // false: the default was taken at once
        std::wstring document;    // full name of the file
        std::wstring text;
    };

    // Meets the file's prompts of that moment, in order. Raises CallFailed when the process ends while
    // one waits.
    void meet(const std::vector<DocumentPrompt>& prompts, DocumentPrompt::At at, const std::wstring& document,
              bool alertsOn);
    // Answers the prompt that waits, or the next one to be shown when none does (any thread).
    void answer();
    // The process ended (any thread): a waiting prompt gives up.
    void end();
    bool waiting() const;

    const std::vector<Event>& events() const noexcept { return events_; }
    // A prompt starts to wait; runs on the waiting thread before it blocks.
    std::function<void()> waitHook;

private:
    void wait();

    std::vector<Event> events_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    bool answered_ = false;
    bool ended_ = false;
    bool waiting_ = false;
};

}  // namespace edgesim
