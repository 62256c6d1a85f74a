#include "StartProcess.h"

#include <cstdio>

namespace harness {

bool startProcess(const std::wstring& commandLine, bool inheritHandles, DWORD flags, STARTUPINFOW& startup,
                  PROCESS_INFORMATION& info) {
    constexpr int tries = 3;
    for (int attempt = 1;; ++attempt) {
        std::wstring line = commandLine;  // CreateProcessW may write into it
        if (::CreateProcessW(nullptr, line.data(), nullptr, nullptr, inheritHandles ? TRUE : FALSE, flags, nullptr,
                             nullptr, &startup, &info)) {
            return true;
        }
        const DWORD error = ::GetLastError();
        if (error != ERROR_INTERNAL_ERROR || attempt == tries) return false;
        std::fwprintf(stderr, L"harness: wine lost the new process while starting it (error %lu, try %d of %d); "
                              L"starting it once more: %ls\n",
                      error, attempt, tries, commandLine.c_str());
        std::fflush(stderr);
        ::Sleep(500);
    }
}

}  // namespace harness
