#include "batch/win32/SessionMutex.h"

namespace korvane {

SessionMutex::SessionMutex(const wchar_t* name) : mutex_(CreateMutexW(nullptr, FALSE, name)) {}

SessionMutex::~SessionMutex() {
    if (held_) ReleaseMutex(mutex_.get());
}

bool SessionMutex::claim() {
    if (held_) return true;
    // Without the mutex (no rights, no memory) one-at-a-time cannot be told: the run goes ahead, as it
    // did before there was such a rule, rather than refusing every run.
    if (!mutex_) return true;
    const DWORD waited = WaitForSingleObject(mutex_.get(), 0);
    held_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
    return held_;
}

}  // namespace korvane
