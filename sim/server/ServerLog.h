#pragma once
// The server's own log file (its standard output is lost when COM starts it): one UTF-8 line per event.
#include <cstdio>
#include <string>
#include <string_view>

#include "automation/UniqueResource.h"

namespace edgesim::server {

class ServerLog {
public:
    explicit ServerLog(const std::wstring& path);  // empty path: the log is discarded

    void write(std::wstring_view line);

private:
    static int close(std::FILE* file) noexcept { return std::fclose(file); }

    korvane::UniqueResource<std::FILE*, &ServerLog::close> file_;
};

}  // namespace edgesim::server
