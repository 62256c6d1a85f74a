#include "ScreenshotRequest.h"

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

namespace harness {

bool ScreenshotRequest::take(const std::wstring& name, unsigned boundMs) const {
    if (!wanted()) return true;
    const std::wstring request = folder_ + L"\\" + name + L".request";
    const std::wstring done = folder_ + L"\\" + name + L".done";
    ::DeleteFileW(done.c_str());
    {
        std::ofstream out(std::filesystem::path(request), std::ios::binary);
        out << "shot\n";
        if (!out) return false;
    }
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(boundMs);
    while (std::chrono::steady_clock::now() < until) {
        if (::GetFileAttributesW(done.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ::DeleteFileW(request.c_str());
    return false;
}

}  // namespace harness
