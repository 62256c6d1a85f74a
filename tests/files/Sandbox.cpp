#include "Sandbox.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <utility>

#ifdef _WIN32
#include <process.h>

#include "files/win32/Win32FileSystem.h"
#else
#include "files/posix/ScratchDrives.h"
#endif

namespace korvane::test {

namespace fs = std::filesystem;

#ifdef _WIN32
struct Sandbox::Host {
    std::shared_ptr<FileSystem> win32 = std::make_shared<Win32FileSystem>();
    std::shared_ptr<FileSystem> fileSystem() const { return win32; }
    fs::path hostPath(const std::wstring& windowsPath) const { return fs::path(windowsPath); }
};

namespace {
std::wstring freshTempFolder() {
    static std::atomic<int> counter{0};
    const fs::path folder = fs::temp_directory_path() / (L"korvane-files-" + std::to_wstring(::_getpid()) + L"-" +
                                                         std::to_wstring(++counter));
    fs::create_directories(folder);
    return folder.wstring();
}
}  // namespace

Sandbox::Sandbox() : host_(std::make_unique<Host>()), base_(freshTempFolder()) {}
#else
struct Sandbox::Host {
    ScratchDrives scratch;
    std::shared_ptr<FileSystem> fileSystem() const { return scratch.fileSystem(); }
    fs::path hostPath(const std::wstring& windowsPath) const { return scratch.hostPath(windowsPath); }
};

Sandbox::Sandbox() : host_(std::make_unique<Host>()), base_(L"C:\\work") {
    fs::create_directories(host_->hostPath(base_));
}
#endif

Sandbox::~Sandbox() {
    const fs::path root = host_->hostPath(base_);
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(root, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec))
        fs::permissions(it->path(), fs::perms::owner_write, fs::perm_options::add, ec);
    fs::remove_all(root, ec);
}

void Sandbox::runInside(const std::function<void()>& f) const {
    struct Restore {
        fs::path previous = fs::current_path();
        ~Restore() {
            std::error_code ec;
            fs::current_path(previous, ec);
        }
    } restore;
    fs::current_path(host_->hostPath(base_));
    f();
}

std::shared_ptr<FileSystem> Sandbox::fileSystem() const { return host_->fileSystem(); }

std::wstring Sandbox::path(std::wstring_view relative) const { return base_ + L"\\" + std::wstring(relative); }

void Sandbox::write(std::wstring_view relative, std::string_view content) const {
    const fs::path host = host_->hostPath(path(relative));
    fs::create_directories(host.parent_path());
    std::ofstream out(host, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
}

void Sandbox::writeSampleTree() const {
    const std::pair<const wchar_t*, const char*> files[] = {
        {L"a.txt", "aaa"},       {L"b.txt", "bb"},  {L"ro.txt", "r"}, {L"c.tmp", "c"},
        {L"d.TMP", "dd"},        {L"e.tmp", "e"},   {L"dir\\inner.dft", "i"}, {L"dir\\sub\\deep.par", "d"},
        {L"tree\\x\\locked.txt", "l"}, {L"old1\\f.txt", "f"}, {L"old2\\g\\h.txt", "h"}};
    for (const auto& [name, content] : files) write(name, content);
    for (const wchar_t* name : {L"ro.txt", L"e.tmp", L"tree\\x\\locked.txt"}) setReadOnly(name, true);
    makeFolder(L"x.y");
}

std::vector<std::wstring> Sandbox::tree() const {
    const fs::path root = host_->hostPath(base_);
    std::vector<std::wstring> entries;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        std::wstring name = fs::relative(entry.path(), root).wstring();
        std::replace(name.begin(), name.end(), L'/', L'\\');
        if (entry.is_directory()) {
            entries.push_back(name + L"\\");
        } else {
            const bool ro = (entry.status().permissions() & fs::perms::owner_write) == fs::perms::none;
            entries.push_back(name + L" " + std::to_wstring(entry.file_size()) + (ro ? L" ro" : L""));
        }
    }
    std::sort(entries.begin(), entries.end());
    return entries;
}

void Sandbox::makeFolder(std::wstring_view relative) const { fs::create_directories(host_->hostPath(path(relative))); }

void Sandbox::setReadOnly(std::wstring_view relative, bool readOnly) const {
    fs::permissions(host_->hostPath(path(relative)), fs::perms::owner_write,
                    readOnly ? fs::perm_options::remove : fs::perm_options::add);
}

void Sandbox::makeSized(std::wstring_view relative, int64_t size) const {
    write(relative, "");
    fs::resize_file(host_->hostPath(path(relative)), static_cast<std::uintmax_t>(size));
}

void Sandbox::setModified(std::wstring_view relative, int year, int month, int day, int hour, int minute,
                          int second) const {
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    local.tm_isdst = -1;
    // Through the system clock's distance from now, since no clock conversion to the file clock
    // is available on every standard library we build with.
    const auto since = std::chrono::system_clock::from_time_t(std::mktime(&local)) - std::chrono::system_clock::now();
    fs::last_write_time(host_->hostPath(path(relative)),
                        fs::file_time_type::clock::now() + std::chrono::duration_cast<fs::file_time_type::duration>(since));
}

}  // namespace korvane::test
