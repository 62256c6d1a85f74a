#pragma once
// Where the batch reports while it runs: the one progress line, updated in place on a console,
// and whole lines (messages, the summary). Windows: win32/Win32Console.
#include <cstddef>
#include <string>

namespace korvane {

class BatchConsole {
public:
    virtual ~BatchConsole() = default;
    // Replaces the progress line (on a console) or writes it as a line of its own (redirected).
    virtual void progress(const std::wstring& line) = 0;
    // A line of its own, after the progress line if one is shown.
    virtual void line(const std::wstring& text) = 0;
    // How many columns the progress line may take without wrapping; 0 when it may be as long as it
    // is (written to a file or pipe).
    virtual size_t columns() const { return 0; }
};

}  // namespace korvane
