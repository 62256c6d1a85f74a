#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "automation/AutomationError.h"
#include "drawing/DrawingFixture.h"
#include "drawing/clsSolidEdgeDraft.h"

using namespace korvane;
using korvane::test::DrawingFixture;

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

const std::vector<int32_t> kOneSheet{10211, 57634, 10211, 10100, 57637};

std::vector<int32_t> commandsFor(size_t pastedSheets) {
    std::vector<int32_t> out;
    for (size_t i = 0; i < pastedSheets; ++i) out.insert(out.end(), kOneSheet.begin(), kOneSheet.end());
    out.push_back(10212);
    return out;
}

using Items = std::vector<std::vector<std::wstring>>;

struct ExchangeCase {
    const char* what;
    std::vector<SheetSpec> drawing;
    std::vector<SheetSpec> vorlage;
    Items expected;  // the drawing's background sheets afterwards
    std::vector<UnchangedSheet> unchanged;
    size_t pasted;
};

const std::vector<ExchangeCase> kExchangeCases{
    {"every sheet finds its size",
     {{3, L"A3", {L"alt Rahmen A3", L"alt Kopf A3"}}, {4, L"A4", {L"alt A4"}}},
     {{4, L"V4", {L"neu A4"}}, {3, L"V3", {L"neu Rahmen A3", L"neu Feld A3"}}},
     {{L"neu Rahmen A3", L"neu Feld A3"}, {L"neu A4"}}, {}, 2},
    {"no background sheets", {}, {{3, L"V3", {L"neu"}}}, {}, {}, 0},
    {"first of two template sheets of one size",
     {{3, L"A3", {L"alt"}}}, {{3, L"V3a", {L"erste"}}, {3, L"V3b", {L"zweite"}}}, {{L"erste"}}, {}, 1},
    {"two drawing sheets of one size each get the copy",
     {{3, L"X", {L"x"}}, {3, L"Y", {L"y1", L"y2"}}}, {{3, L"V3", {L"neu"}}}, {{L"neu"}, {L"neu"}}, {}, 2},
    {"a sheet without a template partner keeps its content",
     {{3, L"A3", {L"alt A3"}}, {7, L"A0", {L"Sonderrahmen"}}, {4, L"A4", {L"alt A4"}}},
     {{3, L"V3", {L"neu A3"}}, {4, L"V4", {L"neu A4"}}},
     {{L"neu A3"}, {L"Sonderrahmen"}, {L"neu A4"}}, {{2, 7}}, 2},
};

class Exchange : public DrawingFixture {};

}  // namespace

TEST_F(Exchange, ReplacesBackgroundContentBySize) {
    for (const auto& c : kExchangeCases) {
        SCOPED_TRACE(c.what);
        startApplication(scenario(c.drawing, c.vorlage));
        clsSolidEdgeDraft draft(binder(), drives());
        EXPECT_EQ(draft.ersetzeHintergrundblaetter(kTemplate), 0);

        Items actual;
        for (const auto& sheet : sim().findDocument(kDrawing)->content().backgroundSheets) actual.push_back(sheet.items);
        EXPECT_EQ(actual, c.expected) << "background sheet content differs";
        EXPECT_TRUE(draft.unveraenderteBlaetter() == c.unchanged) << "unchanged sheets differ";
        EXPECT_EQ(sim().commands(), commandsFor(c.pasted)) << "command sequence differs";
        EXPECT_EQ(sim().findDocument(kDrawing)->content().workingSheets.at(0).items, std::vector<std::wstring>{L"Welle"});
        EXPECT_EQ(sim().findDocument(kTemplate), nullptr) << "the template opened for the exchange was not closed";
        EXPECT_EQ(sim().activeDocument(), sim().findDocument(kDrawing));
        EXPECT_TRUE(sim().setting(29)) << "screen updating left off";
        EXPECT_TRUE(sim().notes().empty()) << "the application noticed misuse: " << ::testing::PrintToString(sim().notes());
    }
}

TEST_F(Exchange, SendsTheMembersInOrderWithTheirArgumentTypes) {
    startApplication(scenario({{3, L"A3", {L"alt"}}}, {{3, L"V3", {L"neu"}}}));
    clsSolidEdgeDraft draft(binder(), drives());
    draft.ersetzeHintergrundblaetter(kTemplate);
    const std::vector<std::wstring> expected{
        L"Application put 29 ScreenUpdating(Bool False)",
        L"Application call 63 DoIdle()",
        L"Application get 76 ActiveDocumentType()",
        L"Application get 2 ActiveDocument()",
        L"Application get 21 Documents()",
        L"Documents get 3 Count()",
        L"Documents call 0 Item(I4 1)",
        L"Document(\\\\srv\\share\\Projekt\\welle.dft) get 20 FullName()",
        L"Document(\\\\srv\\share\\Projekt\\welle.dft) get 21 Type()",
        L"Documents call 6 Open(TextRef \"\\\\srv\\share\\Vorlagen\\normal.dft\")",
        L"Documents get 3 Count()",
        L"Application get 76 ActiveDocumentType()",
        L"Application get 2 ActiveDocument()",
        L"Document(\\\\srv\\share\\Projekt\\welle.dft) get 4199 Sections()",
        L"SheetGroups(welle.dft) call 0 Item(I2 2)",
        L"SheetGroup(welle.dft/2) get 104 Sheets()",
        L"Sheet(welle.dft/A3) get 123 SheetSetup()",
        L"SheetSetup(welle.dft/A3) get 12 SheetSizeOption()",
        L"Document(\\\\srv\\share\\Vorlagen\\normal.dft) get 4199 Sections()",
        L"SheetGroups(normal.dft) call 0 Item(I2 2)",
        L"SheetGroup(normal.dft/2) get 104 Sheets()",
        L"Sheet(normal.dft/V3) get 123 SheetSetup()",
        L"SheetSetup(normal.dft/V3) get 12 SheetSizeOption()",
        L"Document(\\\\srv\\share\\Vorlagen\\normal.dft) call 1 Activate()",
        L"Application call 79 StartCommand(I4 10211)",
        L"Sheet(normal.dft/V3) call 115 Activate()",
        L"Application get 8 ActiveWindow()",
        L"Window(normal.dft) get 30 SelectSet()",
        L"SelectSet(normal.dft) call 11 RemoveAll()",
        L"Window(normal.dft) get 30 SelectSet()",
        L"SelectSet(normal.dft) call 12 AddAll()",
        L"Application call 79 StartCommand(I4 57634)",
        L"Document(\\\\srv\\share\\Projekt\\welle.dft) call 1 Activate()",
        L"Application call 79 StartCommand(I4 10211)",
        L"Sheet(welle.dft/A3) call 115 Activate()",
        L"Application get 8 ActiveWindow()",
        L"Window(welle.dft) get 30 SelectSet()",
        L"SelectSet(welle.dft) call 11 RemoveAll()",
        L"SelectSet(welle.dft) call 12 AddAll()",
        L"Application call 79 StartCommand(I4 10100)",
        L"Application call 79 StartCommand(I4 57637)",
        L"Document(\\\\srv\\share\\Vorlagen\\normal.dft) call 6 Close(Bool False)",
        L"Document(\\\\srv\\share\\Projekt\\welle.dft) call 1 Activate()",
        L"Application call 79 StartCommand(I4 10212)",
        L"Application put 29 ScreenUpdating(Bool True)",
    };
    const std::vector<std::wstring> actual = invokes();
    for (size_t i = 0; i < std::max(actual.size(), expected.size()); ++i) {
        EXPECT_EQ(i < actual.size() ? actual[i] : L"(none)", i < expected.size() ? expected[i] : L"(none)")
            << "call " << i + 1 << " differs";
    }
}

TEST_F(Exchange, OnlyTogglesScreenUpdatingWhenTheActiveDocumentIsNoDrawing) {
    startApplication(L"running yes\ndocument C:\\Teile\\welle.par\ntype 1\nend\n");
    clsSolidEdgeDraft draft(binder(), drives());
    EXPECT_EQ(draft.ersetzeHintergrundblaetter(kTemplate), 0);
    EXPECT_EQ(invokes(), (std::vector<std::wstring>{L"Application put 29 ScreenUpdating(Bool False)",
                                                    L"Application call 63 DoIdle()",
                                                    L"Application get 76 ActiveDocumentType()",
                                                    L"Application put 29 ScreenUpdating(Bool True)"}));
}

namespace {

const std::wstring kOpenTemplateBlock = L"\ntype 2\nsheet background 3 V3\nitem neu\nend\n";

struct LookupCase {
    const char* what;
    std::wstring before;  // documents open ahead of the drawing
    size_t opens;         // Open calls of the exchange
    std::wstring keptOpen;  // the document that is still open afterwards, or "" for none
};

const std::vector<LookupCase> kLookupCases{
    {"open under the same UNC name", L"document " + kTemplate + kOpenTemplateBlock, 0, kTemplate},
    {"open through the mapped drive", L"document Z:\\Vorlagen\\normal.dft" + kOpenTemplateBlock, 0,
     L"Z:\\Vorlagen\\normal.dft"},
    {"behind an unsaved document", L"document\ntype 2\nend\ndocument " + kTemplate + kOpenTemplateBlock, 0, kTemplate},
    {"open under a name in other letter case", L"document \\\\srv\\share\\Vorlagen\\NORMAL.dft" + kOpenTemplateBlock,
     1, L"\\\\srv\\share\\Vorlagen\\NORMAL.dft"},
    {"not open", L"", 1, L""},
};

}  // namespace

TEST_F(Exchange, FindsAnOpenTemplateByUncNameAndLeavesItOpen) {
    for (const auto& c : kLookupCases) {
        SCOPED_TRACE(c.what);
        startApplication(scenario({{3, L"A3", {L"alt"}}}, {{3, L"V3", {L"neu"}}}, c.before));
        const size_t documentsBefore = sim().documents().size();
        clsSolidEdgeDraft draft(binder(), drives());
        draft.ersetzeHintergrundblaetter(kTemplate);

        EXPECT_EQ(countInvokes(L"Open("), c.opens) << "template opened although it was found, or the reverse";
        EXPECT_EQ(sim().findDocument(kDrawing)->content().backgroundSheets.at(0).items,
                  std::vector<std::wstring>{L"neu"});
        if (!c.keptOpen.empty()) {
            EXPECT_NE(sim().findDocument(c.keptOpen), nullptr) << "a template the user had open was closed";
        } else {
            EXPECT_EQ(sim().findDocument(kTemplate), nullptr) << "the template opened for the exchange was not closed";
        }
        EXPECT_EQ(sim().documents().size(), documentsBefore) << "documents open afterwards differ from before";
        EXPECT_EQ(sim().activeDocument(), sim().findDocument(kDrawing));
    }
}

namespace {

struct FailureCase {
    const char* what;
    std::wstring vorlage;
    int32_t templateType;
    std::wstring extra;
    int32_t error;
};

const std::vector<FailureCase> kFailureCases{
    {"template opens as a part", kTemplate, 1, L"", rt::ObjectNotSet},
    {"template file missing", L"\\\\srv\\share\\Vorlagen\\fehlt.dft", 2, L"", static_cast<int32_t>(0x80004005u)},
    {"paste refused", kTemplate, 2, L"fault Application StartCommand at 5 error 0x80004005 Einfügen abgelehnt",
     static_cast<int32_t>(0x80004005u)},
};

}  // namespace

TEST_F(Exchange, SwitchesScreenUpdatingBackOnWhenACallFails) {
    for (const auto& c : kFailureCases) {
        SCOPED_TRACE(c.what);
        startApplication(scenario({{3, L"A3", {L"alt"}}}, {{3, L"V3", {L"neu"}}}, {}, c.templateType) + c.extra);
        clsSolidEdgeDraft draft(binder(), drives());
        EXPECT_EQ(test::errorOf([&] { draft.ersetzeHintergrundblaetter(c.vorlage); }), c.error)
            << "the failure did not reach the caller as it was";
        EXPECT_TRUE(sim().setting(29)) << "screen updating left off after the failure";
        EXPECT_EQ(countInvokes(L"ScreenUpdating(Bool True)"), 1u);
    }
}
