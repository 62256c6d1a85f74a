#include <gtest/gtest.h>

#include "SimFixture.h"
#include "model/SimError.h"

using namespace simtest;
using korvane::Object;
using korvane::Variant;

namespace {

Object customOf(const edgesim::Simulator& sim) {
    return sim.application().getObject(2).getObject(L"Properties").callObject(0, {Variant(L"Custom")});
}

}  // namespace

TEST(Properties, AddReadWriteAndTheirFailures) {
    auto sim = twoDrawings();
    Object custom = customOf(*sim);
    Object sets = sim->application().getObject(2).getObject(52);
    struct Case {
        const char* what;
        std::function<void()> call;
        int32_t error;
    } cases[] = {
        {"add", [&] { custom.call(8, {Variant(L"DRAWING-CAD_MASSSTAB"), Variant(L"-")}); }, 0},
        {"add of an existing name", [&] { custom.call(8, {Variant(L"SAPName"), Variant(L"x")}); }, edgesim::err::AlreadyExists},
        {"add without value", [&] { custom.call(8, {Variant(L"X")}); }, korvane::rt::ArgumentNotOptional},
        {"missing set", [&] { sets.call(0, {Variant(L"ProjectInformation")}); }, edgesim::err::BadIndex},
        {"missing property", [&] { custom.call(0, {Variant(L"SAPType")}); }, edgesim::err::BadIndex},
        {"names are exact", [&] { custom.call(0, {Variant(L"sapname")}); }, edgesim::err::BadIndex},
        {"write", [&] { custom.callObject(0, {Variant(L"SAPName")}).put(2, Variant(L" ")); }, 0},
        {"set save", [&] { custom.call(5); }, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(errorOf(c.call), c.error) << c.what;

    const edgesim::DocumentContent& content = sim->activeDocument()->content();
    ASSERT_NE(content.property(L"Custom", L"DRAWING-CAD_MASSSTAB"), nullptr);
    EXPECT_EQ(content.property(L"Custom", L"DRAWING-CAD_MASSSTAB")->value, L"-");
    EXPECT_EQ(customOf(*sim).callObject(0, {Variant(L"SAPName")}).get(2).toText(), L" ");
    EXPECT_EQ(content.propertySet(L"Custom")->properties.size(), 2u) << "the refused duplicate was added";
    EXPECT_EQ(sim->activeDocument()->propertySetSaves(L"Custom"), 1u);
}

TEST(Properties, RefusedAdditionsByNameOrAll) {
    struct Case {
        const wchar_t* refusal;
        const wchar_t* name;
        int32_t error;
    } cases[] = {
        {L"refuse-add DRAWING-PA-NAME", L"DRAWING-PA-NAME", edgesim::err::AccessDenied},
        {L"refuse-add DRAWING-PA-NAME", L"DRAWING-PA-DATUM", 0},
        {L"refuse-add * 0x80004005 Nein", L"DRAWING-PA-DATUM", edgesim::err::Fail},
        {L"refuse-add \"DRAWING X\" 5", L"DRAWING X", 5},
    };
    for (const Case& c : cases) {
        auto sim = edgesim::Simulator::fromScenario(std::wstring(kTwoDrawings) + c.refusal + L"\n");
        Object custom = customOf(*sim);
        EXPECT_EQ(errorOf([&] { custom.call(8, {Variant(c.name), Variant(L"-")}); }), c.error) << c.refusal;
        bool added = sim->activeDocument()->content().property(L"Custom", c.name) != nullptr;
        EXPECT_EQ(added, c.error == 0) << c.refusal;
    }
}
