#include "server/ServerLog.h"

#include <windows.h>

#include <string>

#include "automation/TextConvert.h"

namespace edgesim::server {

ServerLog::ServerLog(const std::wstring& path) {
    std::FILE* opened = nullptr;
    if (!path.empty() && _wfopen_s(&opened, path.c_str(), L"ab") == 0) file_.reset(opened);
}

void ServerLog::write(std::wstring_view line) {
    if (!file_) return;
    SYSTEMTIME t;
    GetLocalTime(&t);
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%02u:%02u:%02u.%03u [%lu] ", t.wHour, t.wMinute, t.wSecond,
                  t.wMilliseconds, static_cast<unsigned long>(GetCurrentProcessId()));
    std::string text = stamp + korvane::toUtf8(line) + "\n";
    std::fwrite(text.data(), 1, text.size(), file_.get());
    std::fflush(file_.get());
}

}  // namespace edgesim::server
