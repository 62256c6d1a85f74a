#pragma once
// The server's own log file (its standard output is lost when COM starts it): one UTF-8 line per event.
#include <cstdio>
#include <string>
#include <string_view>

namespace edgesim::server {

class ServerLog {
public:
    explicit ServerLog(const std::wstring& path);  // empty path: the log is discarded
    ~ServerLog();
    ServerLog(const ServerLog&) = delete;
    ServerLog& operator=(const ServerLog&) = delete;

    void write(std::wstring_view line);

private:
    std::FILE* file_ = nullptr;
};

}  // namespace edgesim::server
