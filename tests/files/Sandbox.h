#pragma once
// A fresh, empty scratch folder for one test, reached through Windows path names, with the
// platform's file system behind it: on POSIX a ScratchDrives tree (the folder is "C:\work"),
// on Windows a folder under the temporary folder and the Win32 file system. Files are arranged
// and inspected here directly, never through the code under test.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "files/FileSystem.h"

namespace korvane::test {

class Sandbox {
public:
    Sandbox();
    ~Sandbox();
    Sandbox(const Sandbox&) = delete;
    Sandbox& operator=(const Sandbox&) = delete;

    std::shared_ptr<FileSystem> fileSystem() const;
    // The scratch folder's Windows path, without a closing backslash.
    const std::wstring& base() const noexcept { return base_; }
    // base + "\" + relative
    std::wstring path(std::wstring_view relative) const;

    void write(std::wstring_view relative, std::string_view content) const;
    void makeFolder(std::wstring_view relative) const;                  // with its parents
    void setReadOnly(std::wstring_view relative, bool readOnly) const;
    // A file of that size without writing its bytes.
    void makeSized(std::wstring_view relative, int64_t size) const;
    // Sets the time of last change, local time.
    void setModified(std::wstring_view relative, int year, int month, int day, int hour, int minute,
                     int second) const;
    // Runs `f` with the scratch folder as the process's current folder, where the Win32 file system
    // puts relative names, so that what they create goes with the sandbox. (The POSIX scratch
    // drives resolve relative names inside their own tree anyway.)
    void runInside(const std::function<void()>& f) const;

    // The tree the wildcard and comparison suites work on: files a.txt (3 bytes), b.txt, ro.txt
    // (read-only), c.tmp, d.TMP, e.tmp (read-only); dir\inner.dft, dir\sub\deep.par,
    // tree\x\locked.txt (read-only), old1\f.txt, old2\g\h.txt; the empty folder x.y.
    void writeSampleTree() const;
    // Every folder ("name\") and file ("name size", " ro" when read-only) under the base, sorted.
    std::vector<std::wstring> tree() const;

private:
    struct Host;
    std::unique_ptr<Host> host_;
    std::wstring base_;
};

}  // namespace korvane::test
