// The census's look-up by name folds letters as the system does, in every alphabet; its count
// stays binary and case-sensitive, ranges in code order.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/FakeProcessTable.h"
#include "app/clsSystem3.h"
#include "automation/TextConvert.h"

namespace korvane {
namespace {

std::shared_ptr<test::FakeProcessTable> tableOf(std::vector<ProcessEntry> entries) {
    auto t = std::make_shared<test::FakeProcessTable>();
    t->entries = std::move(entries);
    return t;
}

const std::vector<ProcessEntry> kNames = {
    {L"ЧЕРТЁЖ.EXE", 10}, {L"ΣΧΈΔΙΟ.exe", 20}, {L"Übersicht.exe", 30}, {L"ŁÓDŹ.exe", 40}, {L"Zeichnung.exe", 50},
};

TEST(CensusLetterCase, LookUpFoldsEveryAlphabet) {
    const struct {
        std::wstring name;
        int32_t expected;
    } cases[] = {
        {L"чертёж.exe", 10},     // Cyrillic
        {L"σχέδιο.EXE", 20},     // Greek
        {L"übersicht.EXE", 30},  // Latin-1
        {L"łódź.exe", 40},       // Latin Extended-A
        {L"чертеж.exe", 0},      // another letter (е for ё) is no match
    };
    for (const auto& c : cases) {
        clsSystem3 census(tableOf(kNames));
        EXPECT_EQ(census.liefereProzessID(c.name), c.expected) << "name " << toUtf8(c.name);
    }
}

TEST(CensusLetterCase, CountRespectsCaseAndCodeOrder) {
    const struct {
        const wchar_t* pattern;
        int32_t expected;
    } cases[] = {
        {L"[A-Z]*", 1},    // "Zeichnung.exe": "Ü" and "Ł" lie beyond "Z" in code order
        {L"ü*", 0},        // letter case counts
        {L"[a-Z]*", 0},    // descending in code order: unreadable, matches nothing
        {L"*.exe", 4},
    };
    for (const auto& c : cases) {
        clsSystem3 census(tableOf(kNames));
        EXPECT_EQ(census.liefereProzessAnzahl(c.pattern), c.expected) << "pattern " << toUtf8(c.pattern);
    }
}

}  // namespace
}  // namespace korvane
