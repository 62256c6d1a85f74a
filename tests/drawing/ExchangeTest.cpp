// The background sheet exchange against the simulated application. The order of its member calls is
// pinned by the end-to-end call log (tests/e2e/scenarios/happy-normal/log.expected).
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "automation/AutomationError.h"
#include "cad/CadFixture.h"
#include "drawing/clsSolidEdgeDraft.h"

using namespace korvane;
using korvane::test::CadFixture;

namespace {

const std::wstring kTemplate = L"\\\\srv\\share\\Vorlagen\\normal.dft";
const std::wstring kDrawing = L"\\\\srv\\share\\Projekt\\welle.dft";

struct SheetSpec {
    int32_t size;
    std::wstring name;
    std::vector<std::wstring> items;
};

std::wstring backgroundSheets(const std::vector<SheetSpec>& sheets) {
    std::wstring s;
    for (const auto& sheet : sheets) {
        s += L"sheet background " + std::to_wstring(sheet.size) + L" " + sheet.name + L"\n";
        for (const auto& item : sheet.items) s += L"item " + item + L"\n";
    }
    return s;
}

// The template lies on the share; `before` may open documents ahead of the drawing, which ends up active.
std::wstring scenario(const std::vector<SheetSpec>& drawing, const std::vector<SheetSpec>& vorlage,
                      const std::wstring& before = {}, int32_t templateType = 2) {
    return L"running yes\nfile " + kTemplate + L"\ntype " + std::to_wstring(templateType) + L"\n" +
           backgroundSheets(vorlage) + L"end\n" + before + L"document " + kDrawing +
           L"\ntype 2\nsheet working 1 Blatt1\nitem Welle\n" + backgroundSheets(drawing) + L"end\nactive " + kDrawing +
           L"\n";
}

std::vector<int32_t> commandsFor(size_t pastedSheets) {
    std::vector<int32_t> out;
    for (size_t i = 0; i < pastedSheets; ++i) out.insert(out.end(), {10211, 57634, 10211, 10100, 57637});
    out.push_back(10212);
    return out;
}

using Items = std::vector<std::vector<std::wstring>>;

const std::vector<SheetSpec> kA3{{3, L"A3", {L"alt"}}};
const std::vector<SheetSpec> kV3{{3, L"V3", {L"neu"}}};
const std::wstring kOpenTemplate = L"\ntype 2\nsheet background 3 V3\nitem neu\nend\n";
const std::wstring kOtherCase = L"\\\\srv\\share\\Vorlagen\\NORMAL.dft";

struct ExchangeCase {
    const char* what;
    std::vector<SheetSpec> drawing;
    std::vector<SheetSpec> vorlage;
    Items expected;  // the drawing's background sheets afterwards
    std::vector<UnchangedSheet> unchanged;
    size_t pasted;
    std::wstring before = {};    // documents open ahead of the drawing
    size_t opens = 1;            // Open calls of the exchange
    std::wstring keptOpen = {};  // a template document the user had open, still open afterwards
};

const std::vector<ExchangeCase> kExchangeCases{
    {"every sheet finds its size",
     {{3, L"A3", {L"alt Rahmen A3", L"alt Kopf A3"}}, {4, L"A4", {L"alt A4"}}},
     {{4, L"V4", {L"neu A4"}}, {3, L"V3", {L"neu Rahmen A3", L"neu Feld A3"}}},
     {{L"neu Rahmen A3", L"neu Feld A3"}, {L"neu A4"}}, {}, 2},
    {"no background sheets", {}, kV3, {}, {}, 0},
    {"first of two template sheets of one size", kA3, {{3, L"V3a", {L"erste"}}, {3, L"V3b", {L"zweite"}}},
     {{L"erste"}}, {}, 1},
    {"two drawing sheets of one size each get the copy", {{3, L"X", {L"x"}}, {3, L"Y", {L"y1", L"y2"}}}, kV3,
     {{L"neu"}, {L"neu"}}, {}, 2},
    {"a sheet without a template partner keeps its content",
     {{3, L"A3", {L"alt A3"}}, {7, L"A0", {L"Sonderrahmen"}}, {4, L"A4", {L"alt A4"}}},
     {{3, L"V3", {L"neu A3"}}, {4, L"V4", {L"neu A4"}}}, {{L"neu A3"}, {L"Sonderrahmen"}, {L"neu A4"}}, {{2, 7}}, 2},
    {"template open under its UNC name is used", kA3, kV3, {{L"neu"}}, {}, 1,
     L"document " + kTemplate + kOpenTemplate, 0, kTemplate},
    {"template open through the mapped drive is used", kA3, kV3, {{L"neu"}}, {}, 1,
     L"document Z:\\Vorlagen\\normal.dft" + kOpenTemplate, 0, L"Z:\\Vorlagen\\normal.dft"},
    {"template open behind an unsaved document is used", kA3, kV3, {{L"neu"}}, {}, 1,
     L"document\ntype 2\nend\ndocument " + kTemplate + kOpenTemplate, 0, kTemplate},
    {"template open under a name in other letter case is opened anew", kA3, kV3, {{L"neu"}}, {}, 1,
     L"document " + kOtherCase + kOpenTemplate, 1, kOtherCase},
};

class Exchange : public CadFixture {};

}  // namespace

TEST_F(Exchange, ReplacesBackgroundContentBySize) {
    for (const auto& c : kExchangeCases) {
        SCOPED_TRACE(c.what);
        startApplication(scenario(c.drawing, c.vorlage, c.before));
        const size_t documentsBefore = sim().documents().size();
        clsSolidEdgeDraft draft(binder(), drives());
        EXPECT_EQ(draft.ersetzeHintergrundblaetter(kTemplate), 0);

        Items actual;
        for (const auto& sheet : sim().findDocument(kDrawing)->content().backgroundSheets) actual.push_back(sheet.items);
        EXPECT_EQ(actual, c.expected) << "background sheet content differs";
        EXPECT_TRUE(draft.unveraenderteBlaetter() == c.unchanged) << "unchanged sheets differ";
        EXPECT_EQ(sim().commands(), commandsFor(c.pasted)) << "command sequence differs";
        EXPECT_EQ(callsOf({L"SelectSet"}).size(), 3 * c.pasted) << "the copy half takes the selection anew";
        EXPECT_EQ(sim().findDocument(kDrawing)->content().workingSheets.at(0).items, std::vector<std::wstring>{L"Welle"});
        EXPECT_EQ(callsOf({L"Open"}).size(), c.opens) << "template opened although it was found, or the reverse";
        if (c.keptOpen.empty()) {
            EXPECT_EQ(sim().findDocument(kTemplate), nullptr) << "the template opened for the exchange was not closed";
        } else {
            EXPECT_NE(sim().findDocument(c.keptOpen), nullptr) << "a template the user had open was closed";
        }
        EXPECT_EQ(sim().documents().size(), documentsBefore) << "documents open afterwards differ from before";
        EXPECT_EQ(sim().activeDocument(), sim().findDocument(kDrawing));
        EXPECT_TRUE(sim().setting(29)) << "screen updating left off";
        EXPECT_TRUE(sim().notes().empty()) << "the application noticed misuse: " << ::testing::PrintToString(sim().notes());
    }
}

TEST_F(Exchange, OnlyTogglesScreenUpdatingWhenTheActiveDocumentIsNoDrawing) {
    startApplication(L"running yes\ndocument C:\\Teile\\welle.par\ntype 1\nend\n");
    clsSolidEdgeDraft draft(binder(), drives());
    EXPECT_EQ(draft.ersetzeHintergrundblaetter(kTemplate), 0);
    EXPECT_EQ(callsOf({L"ScreenUpdating", L"DoIdle", L"ActiveDocumentType", L"ActiveDocument", L"Documents"}),
              (std::vector<std::wstring>{L"Application ScreenUpdating(Bool False)", L"Application DoIdle()",
                                         L"Application ActiveDocumentType()", L"Application ScreenUpdating(Bool True)"}));
}

TEST_F(Exchange, SwitchesScreenUpdatingBackOnWhenACallFails) {
    const struct {
        const char* what;
        std::wstring vorlage;
        int32_t templateType;
        std::wstring extra;
        int32_t error;
    } cases[]{
        {"template opens as a part", kTemplate, 1, L"", rt::ObjectNotSet},
        {"template file missing", L"\\\\srv\\share\\Vorlagen\\fehlt.dft", 2, L"", static_cast<int32_t>(0x80004005u)},
        {"paste refused", kTemplate, 2, L"fault Application StartCommand at 5 error 0x80004005 Einfügen abgelehnt",
         static_cast<int32_t>(0x80004005u)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        startApplication(scenario(kA3, kV3, {}, c.templateType) + c.extra);
        clsSolidEdgeDraft draft(binder(), drives());
        EXPECT_EQ(test::errorOf([&] { draft.ersetzeHintergrundblaetter(c.vorlage); }), c.error)
            << "the failure did not reach the caller as it was";
        EXPECT_TRUE(sim().setting(29)) << "screen updating left off after the failure";
        EXPECT_EQ(callsOf({L"ScreenUpdating"}), (std::vector<std::wstring>{L"Application ScreenUpdating(Bool False)",
                                                                     L"Application ScreenUpdating(Bool True)"}));
    }
}
