#pragma once
// The batch's file facts and contents on the Win32 API. "Locked" means that opening the file for
// reading and writing, sharing everything, fails with a sharing or lock violation: another program
// holds it open without letting others write.
#include "batch/BatchFiles.h"

namespace korvane {

class Win32BatchFiles : public BatchFiles {
public:
    bool isReadOnly(const std::wstring& path) override;
    bool isLocked(const std::wstring& path) override;
    std::optional<std::string> readBytes(const std::wstring& path) override;
    void writeBytes(const std::wstring& path, std::string_view bytes) override;
    void appendBytes(const std::wstring& path, std::string_view bytes) override;
    void createBytes(const std::wstring& path, std::string_view bytes) override;
    void replaceBytes(const std::wstring& path, std::string_view bytes) override;
    std::unique_ptr<HeldFile> hold(const std::wstring& path) override;
};

}  // namespace korvane
