// Drive and UNC conversions against a real network drive of the Windows machine (under wine: a
// drive letter linked to dosdevices/unc/<server>/<share> and marked "network"). Skipped where the
// machine has no network drive whose share name can be read; the conversions themselves are
// covered on every machine with a drive table in PathFunctionsTest.
#ifdef _WIN32
#include <gtest/gtest.h>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <memory>
#include <optional>

#include "FilesTestSupport.h"
#include "files/clsFileString.h"
#include "files/win32/Win32FileSystem.h"

using namespace korvane;
using namespace korvane::test;

namespace {

struct MappedDrive {
    wchar_t letter;
    std::wstring share;
};

// The network drive nearest "z" with a readable share name: the one the reverse conversion picks.
std::optional<MappedDrive> lastNetworkDrive(FileSystem& fs) {
    std::optional<MappedDrive> found;
    for (const auto& d : fs.drives()) {
        if (d.type != DriveType::Network) continue;
        const int32_t error = errorOf([&] { found = MappedDrive{d.letter[0], fs.shareName(d.letter)}; });
        if (error != 0) found.reset();
    }
    return found;
}

}  // namespace

TEST(MappedDrive, ConversionsFollowTheSystemsDriveMapping) {
    auto fs = std::make_shared<Win32FileSystem>();
    const auto drive = lastNetworkDrive(*fs);
    if (!drive) GTEST_SKIP() << "no network drive with a share name on this machine";
    clsFileString files(fs);
    const std::wstring letter(1, drive->letter);
    const std::wstring lower(1, toLowerChar(drive->letter));

    EXPECT_EQ(files.ermittleUNC(letter), drive->share);
    EXPECT_EQ(files.ermittleUNC(lower), drive->share);
    EXPECT_EQ(files.convertNachUNC(Variant(letter + L":\\a\\b.dft")), drive->share + L"\\a\\b.dft");
    EXPECT_EQ(files.ermittleUNCundLangerDateiName(lower + L":\\a\\B.dft"), drive->share + L"\\a\\B.dft");
    EXPECT_EQ(files.ermittleLaufwerkUndLangenDateiNamen(toUpper(drive->share) + L"\\a\\b.dft"), lower + L":\\a\\b.dft");

    // A file made through the letter is found by its UNC name, and a folder made by its UNC name
    // is found through the letter.
    const std::wstring folder = L"korvane-files-" + std::to_wstring(::GetCurrentProcessId());
    files.erstelleVerzeichnis(drive->share + L"\\" + folder + L"\\sub");
    EXPECT_TRUE(files.existiertVerzeichnis(letter + L":\\" + folder + L"\\sub"));
    HANDLE h = ::CreateFileW((letter + L":\\" + folder + L"\\sub\\x.dft").c_str(), GENERIC_WRITE, 0, nullptr,
                             CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    ::CloseHandle(h);
    EXPECT_TRUE(files.existiertDatei(drive->share + L"\\" + folder + L"\\sub\\x.dft"));
    EXPECT_TRUE(files.existiertVerzeichnis(drive->share));
    std::wstring unc = drive->share + L"\\" + folder;
    EXPECT_EQ(files.loescheVerzeichnis(unc), 0);
    EXPECT_FALSE(files.existiertVerzeichnis(letter + L":\\" + folder));
}
#endif
