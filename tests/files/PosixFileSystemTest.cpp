// How the POSIX file system resolves Windows names through its drive and share tables.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <functional>

#include "FilesTestSupport.h"
#include "files/posix/ScratchDrives.h"

using namespace korvane;
using namespace korvane::test;

TEST(PosixFileSystem, ResolvesDrivesAndSharesLikeWindows) {
    ScratchDrives scratch;
    scratch.addShare(L"\\\\fileserver\\daten");
    scratch.addNetworkDrive(L'Y', L"\\\\srv\\share");
    scratch.writeFile(L"\\\\srv\\share\\dir\\a.txt", "a");
    scratch.writeFile(L"\\\\fileserver\\daten\\Admin\\normal.dft", "n");
    scratch.writeFile(L"C:\\local\\b.txt", "b");
    auto fs = scratch.fileSystem();
    struct Case {
        const wchar_t* name;
        bool file;
        bool folder;
    };
    const Case cases[] = {
        {L"\\\\srv\\share\\dir\\a.txt", true, false},
        {L"\\\\SRV\\Share\\dir\\a.txt", true, false},
        {L"\\\\srv\\share\\DIR\\a.txt", false, false},
        {L"y:\\dir\\a.txt", true, false},
        {L"Z:dir\\a.txt", true, false},
        {L"Z:\\dir/a.txt", true, false},
        {L"Z:\\dir\\.\\..\\..\\..\\dir\\a.txt", true, false},
        {L"\\\\srv\\share", false, true},
        {L"\\\\srv", false, false},
        {L"\\\\srv\\other\\dir", false, false},
        {L"\\\\fileserver\\daten\\Admin\\normal.dft", true, false},
        {L"Q:\\", false, false},
        {L"C:", false, true},
        {L"local\\b.txt", true, false},
        {L"\\local\\b.txt", true, false},
        {L"C:\\local\\b.txt\\", false, false},
        {L"", false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fs->fileExists(c.name), c.file) << "fileExists(" << q(c.name) << ")";
        EXPECT_EQ(fs->folderExists(c.name), c.folder) << "folderExists(" << q(c.name) << ")";
    }
}

TEST(PosixFileSystem, DriveTableAndListingAnswers) {
    ScratchDrives scratch;
    scratch.addLocalDrive(L'e', DriveType::Removable);
    scratch.addNetworkDrive(L'M', L"\\\\srv\\share");
    scratch.config().drives.push_back({L'N', DriveType::Network, scratch.root(), L""});
    auto fs = scratch.fileSystem();
    std::wstring letters;
    for (const auto& d : fs->drives()) letters += d.letter + std::to_wstring(static_cast<int>(d.type)) + L" ";
    EXPECT_EQ(letters, L"C2 E1 M3 N3 Z3 ");
    EXPECT_EQ(fs->shareName(L"m"), L"\\\\srv\\share");
    EXPECT_EQ(fs->shareName(L"C"), L"");
    EXPECT_NE(errorOf([&] { fs->shareName(L"N"); }), 0) << "a network drive without a share name";
    EXPECT_NE(errorOf([&] { fs->shareName(L"Q"); }), 0) << "an absent drive";
    EXPECT_EQ(fs->specialFolder(2), L"C:\\Temp");
    EXPECT_EQ(errorOf([&] { fs->specialFolder(7); }), rt::InvalidArgument);
    for (const wchar_t* name : {L"b", L"A", L"c", L"a_", L"B2"}) scratch.writeFile(std::wstring(L"C:\\l\\") + name, "");
    EXPECT_EQ(fs->fileNames(L"C:\\l"), (std::vector<std::wstring>{L"A", L"a_", L"b", L"B2", L"c"})) << "in NTFS order";
}

TEST(PosixFileSystem, ErrorNumbersOfThePort) {
    ScratchDrives scratch;
    scratch.writeFile(L"C:\\d\\a.txt", "a");
    scratch.writeFile(L"C:\\d\\b.txt", "b");
    auto fs = scratch.fileSystem();
    struct Case {
        const char* what;
        std::function<void()> call;
        int32_t number;
    };
    const Case cases[] = {
        {"move onto an existing file", [&] { fs->moveFile(L"C:\\d\\a.txt", L"C:\\d\\b.txt"); }, rt::FileAlreadyExists},
        {"move of a missing file", [&] { fs->moveFile(L"C:\\d\\x.txt", L"C:\\d\\y.txt"); }, rt::FileNotFound},
        {"move from a missing folder", [&] { fs->moveFile(L"C:\\x\\x.txt", L"C:\\d\\y.txt"); }, rt::PathNotFound},
        {"create an existing folder", [&] { fs->createFolder(L"C:\\d"); }, rt::FileAlreadyExists},
        {"create under a missing parent", [&] { fs->createFolder(L"C:\\x\\y"); }, rt::PathNotFound},
        {"copy without overwrite", [&] { fs->copyFile(L"C:\\d\\a.txt", L"C:\\d\\b.txt", false); },
         rt::FileAlreadyExists},
        {"copy onto itself", [&] { fs->copyFile(L"C:\\d\\a.txt", L"C:\\d\\a.txt", true); }, rt::PermissionDenied},
        {"size of a folder", [&] { fs->fileSize(L"C:\\d"); }, rt::FileNotFound},
        {"unknown drive", [&] { fs->fileSize(L"Q:\\a"); }, rt::PathNotFound},
        {"unknown share", [&] { fs->fileNames(L"\\\\nobody\\x"); }, rt::PathNotFound},
        {"delete a folder that is a file", [&] { fs->deleteFolder(L"C:\\d\\a.txt", true); }, rt::PathNotFound},
    };
    for (const auto& c : cases) EXPECT_EQ(errorOf(c.call), c.number) << c.what;
    EXPECT_EQ(scratch.fileSystem()->fileSize(L"C:\\d\\b.txt"), 1) << "b.txt must be unchanged";
}

#endif
