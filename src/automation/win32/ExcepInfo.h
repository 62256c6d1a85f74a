#pragma once
// Owning EXCEPINFO: its BSTRs are freed on destruction.
#include <windows.h>
#include <oleauto.h>

namespace korvane::com {

class ExcepInfo {
public:
    ExcepInfo() noexcept { clear(); }
    ~ExcepInfo() { free(); }
    ExcepInfo(const ExcepInfo&) = delete;
    ExcepInfo& operator=(const ExcepInfo&) = delete;

    EXCEPINFO* get() noexcept { return &info_; }
    const EXCEPINFO& operator*() const noexcept { return info_; }

private:
    void clear() noexcept { info_ = EXCEPINFO{}; }
    void free() noexcept {
        SysFreeString(info_.bstrSource);
        SysFreeString(info_.bstrDescription);
        SysFreeString(info_.bstrHelpFile);
        clear();
    }

    EXCEPINFO info_;
};

}  // namespace korvane::com
