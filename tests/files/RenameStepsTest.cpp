// benenneUm when one of its steps fails: the result is the number that step raised, and no file
// is lost; where the former file of the new name cannot be put back it is found beside it.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "FailingFileSystem.h"
#include "FilesTestSupport.h"
#include "Sandbox.h"
#include "files/clsFileString.h"

using namespace korvane;
using namespace korvane::test;

namespace {

std::optional<std::string> content(const char* text) {
    return text ? std::optional<std::string>(text) : std::nullopt;
}

}  // namespace

// Renaming "old" (content O) over "new" (content N). The moves, counted: 1 the direct attempt
// (refused, "new" exists), 2 "new" set aside, 3 "old" to "new", then 4 and 5 undo or put back;
// deletion 1 removes the file set aside.
TEST(RenameSteps, ResultIsTheFailingStepsNumberAndNoFileIsLost) {
    struct Case {
        const char* what;
        std::vector<std::pair<int, int32_t>> moveFailures;
        std::vector<std::pair<int, int32_t>> deleteFailures;
        int32_t status;
        const char* oldAfter;
        const char* newAfter;
        const char* asideAfter;  // under "new.1.alt"
    };
    const Case cases[] = {
        {"nothing fails", {}, {}, 0, nullptr, "O", nullptr},
        {"new name held open by another program", {{2, 70}}, {}, 70, "O", "N", nullptr},
        {"the rename itself fails", {{3, 75}}, {}, 75, "O", "N", nullptr},
        {"the rename and the put-back fail", {{3, 75}, {4, 70}}, {}, 75, "O", nullptr, "N"},
        {"the former file cannot be deleted", {}, {{1, 61}}, 61, "O", "N", nullptr},
        {"cannot be deleted, the undo fails", {{4, 70}}, {{1, 61}}, 61, nullptr, "O", "N"},
        {"cannot be deleted, the put-back fails", {{5, 70}}, {{1, 61}}, 61, "O", nullptr, "N"},
    };
    for (const auto& c : cases) {
        Sandbox box;
        box.write(L"old", "O");
        box.write(L"new", "N");
        auto failing = std::make_shared<FailingFileSystem>(box.fileSystem());
        for (const auto& [call, number] : c.moveFailures) failing->failMove(call, number);
        for (const auto& [call, number] : c.deleteFailures) failing->failDelete(call, number);
        clsFileString files(failing);

        EXPECT_EQ(files.benenneUm(box.path(L"old"), box.path(L"new")), c.status) << c.what;
        EXPECT_EQ(box.read(L"old"), content(c.oldAfter)) << c.what << ": old";
        EXPECT_EQ(box.read(L"new"), content(c.newAfter)) << c.what << ": new";
        EXPECT_EQ(box.read(L"new.1.alt"), content(c.asideAfter)) << c.what << ": set aside";
        const int expectedFiles = (c.oldAfter ? 1 : 0) + (c.newAfter ? 1 : 0) + (c.asideAfter ? 1 : 0);
        EXPECT_EQ(files.liefereDateiListe(box.base(), nullptr).Count(), expectedFiles) << c.what << ": stray files";
    }
}

TEST(RenameSteps, SetAsideNameSkipsNamesInUse) {
    Sandbox box;
    box.write(L"old", "O");
    box.write(L"new", "N");
    box.write(L"new.1.alt", "1");
    box.makeFolder(L"new.2.alt");
    auto failing = std::make_shared<FailingFileSystem>(box.fileSystem());
    failing->failMove(3, 75);
    failing->failMove(4, 70);
    clsFileString files(failing);
    EXPECT_EQ(files.benenneUm(box.path(L"old"), box.path(L"new")), 75);
    EXPECT_EQ(box.read(L"new.1.alt"), "1");
    EXPECT_EQ(box.read(L"new.3.alt"), "N") << "the former file goes under the first free name";
}

TEST(RenameSteps, RenamingAFileOntoItselfKeepsIt) {
    Sandbox box;
    box.write(L"same", "S");
    clsFileString files(box.fileSystem());
    files.benenneUm(box.path(L"same"), box.path(L"same"));
    EXPECT_EQ(box.read(L"same"), "S");
    EXPECT_EQ(files.liefereDateiListe(box.base(), nullptr).Count(), 1) << "nothing may stay set aside";
}
