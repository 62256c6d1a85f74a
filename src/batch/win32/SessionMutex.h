#pragma once
// A named mutex of the user's session, held from the moment it is claimed until the process ends: the
// one-at-a-time rule of the batch. A holder that was killed leaves it abandoned, which the next claim
// takes over, so a kill never locks the batch out.
#include <windows.h>

#include "processes/win32/UniqueHandle.h"

namespace korvane {

class SessionMutex {
public:
    explicit SessionMutex(const wchar_t* name);
    ~SessionMutex();
    SessionMutex(const SessionMutex&) = delete;
    SessionMutex& operator=(const SessionMutex&) = delete;

    // Takes the mutex unless another process holds it; true while this process holds it.
    bool claim();

private:
    UniqueHandle mutex_;
    bool held_ = false;
};

}  // namespace korvane
