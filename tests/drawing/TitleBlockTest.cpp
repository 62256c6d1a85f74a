#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "automation/AutomationError.h"
#include "cad/CadFixture.h"
#include "drawing/clsSolidEdgeDraft.h"

using namespace korvane;
using korvane::test::CadFixture;

namespace {

const std::wstring kDrawing = L"\\\\srv\\share\\Projekt\\welle.dft";

const std::vector<std::wstring> kNames{
    L"DRAWING-DRAW-DESCRIPTION", L"DRAWING-DRAW-DOCUMENTTYPE", L"DRAWING-DRAW-DOCUMENTNUMBER",
    L"DRAWING-DRAW-DOCUMENTPART", L"DRAWING-DRAW-DOCUMENTVERSION", L"DRAWING-DRAW-ECNUMBER",
    L"DRAWING-MARA-MATNR", L"DRAWING-PA-DATUM", L"DRAWING-PA-NAME", L"DRAWING-K1-DATUM", L"DRAWING-K1-NAME",
    L"DRAWING-NK-DATUM", L"DRAWING-NK-NAME", L"DRAWING-CAD_WERKSTOFF", L"DRAWING-CAD_MASSSTAB",
    L"DRAWING-CAD_ZUSATZMASSSTAB"};

using Props = std::vector<std::pair<std::wstring, std::wstring>>;

std::wstring drawingWith(const Props& custom, const std::wstring& extra = {}) {
    std::wstring s = L"running yes\ndocument " + kDrawing + L"\ntype 2\npropertyset Custom\n";
    for (const auto& [name, value] : custom) s += L"property " + name + L"=" + value + L"\n";
    return s + L"end\n" + extra;
}

struct Field : TextField {
    std::wstring value;
    std::wstring text() const override { return value; }
    void setText(const std::wstring& t) override { value = t; }
};
using Fields = std::array<Field, 16>;

bool schreibe(clsSolidEdgeDraft& d, Fields& f, Object& doc) {
    return d.schreibeTarvoSchriftfeldProperties(f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7], f[8], f[9], f[10],
                                                f[11], f[12], f[13], f[14], f[15], doc);
}
bool lese(clsSolidEdgeDraft& d, Fields& f, Object& doc) {
    return d.leseTarvoSchriftfeldProperties(f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7], f[8], f[9], f[10], f[11],
                                            f[12], f[13], f[14], f[15], doc);
}
bool anlegen(clsSolidEdgeDraft& d, Object& doc) {
    const std::wstring m = L"-";
    return d.anlegenTarvoSchriftfeldProperties(m, m, m, m, m, m, m, m, m, m, m, m, m, m, m, m, doc);
}

class TitleBlock : public CadFixture {
protected:
    Props custom() {
        Props out;
        auto document = sim().findDocument(kDrawing);
        const edgesim::PropertySet* set = document ? document->content().propertySet(L"Custom") : nullptr;
        for (const auto& p : set ? set->properties : std::vector<edgesim::Property>{}) out.emplace_back(p.name, p.value);
        return out;
    }
};

}  // namespace

// Rows are added in their order after what the drawing has; a row counts as present only when the
// look-up answers with the property itself, whatever else it answers without an error.
TEST_F(TitleBlock, CreationAddsTheMissingRowsOnTheActiveDrawing) {
    const struct {
        const char* what;
        Props before;
        std::wstring lookUp;  // the scripted answer of every look-up in "Custom", "" for the real one
    } cases[]{
        {"no rows yet", {}, L""},
        {"what an earlier run left is kept", {{L"DRAWING-PA-NAME", L"Meier"}, {L"Andere", L"x"}}, L""},
        {"look-up answers Nothing", {{L"Andere", L"x"}}, L"nothing"},
        {"look-up answers another property", {{L"Andere", L"x"}}, L"substitute Andere"},
        {"look-up answers always DRAWING-PA-NAME, which exists", {{L"DRAWING-PA-NAME", L"Meier"}},
         L"substitute DRAWING-PA-NAME"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        startApplication(drawingWith(c.before, c.lookUp.empty() ? L"" : L"fault PropertySet(Custom) Item always " + c.lookUp + L"\n"));
        clsSolidEdgeDraft draft(binder(), drives());
        Object doc;
        EXPECT_TRUE(anlegen(draft, doc)) << "an addition was refused: a row was added twice";
        if (c.lookUp.empty()) {
            EXPECT_TRUE(anlegen(draft, doc)) << "a second run on a prepared drawing failed";
        }
        Props expected = c.before;
        for (const auto& name : kNames)
            if (c.before.empty() || name != c.before.front().first) expected.emplace_back(name, L"-");
        EXPECT_EQ(custom(), expected) << "rows, their order, or what counted as present differ";
        EXPECT_EQ(doc.get(L"FullName").toText(), kDrawing) << "the caller's document variable was not set";
    }
}

TEST_F(TitleBlock, TheActiveDrawingIsTheActiveDocumentOnlyWhenItIsADraftingDocument) {
    for (int32_t type : {1, 2, 3, 4, 6}) {
        SCOPED_TRACE("type " + std::to_string(type));
        startApplication(L"running yes\ndocument " + kDrawing + L"\ntype " + std::to_wstring(type) + L"\nend\n");
        clsSolidEdgeDraft draft(binder(), drives());
        const Object zeichnung = draft.liefereAktiveZeichnung();
        EXPECT_EQ(zeichnung.isNothing() ? L"(Nothing)" : zeichnung.get(L"FullName").toText(),
                  type == 2 ? kDrawing : L"(Nothing)");
    }
}

TEST_F(TitleBlock, CreationReportsFailureButGoesOn) {
    const struct {
        const char* what;
        std::wstring scenario;
        size_t added;
    } cases[]{
        {"one addition refused", drawingWith({}, L"refuse-add DRAWING-K1-NAME\n"), 15},
        {"no Custom set", L"running yes\ndocument " + kDrawing + L"\ntype 2\nend\n", 0},
        {"no active document", L"running yes\n", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        startApplication(c.scenario);
        clsSolidEdgeDraft draft(binder(), drives());
        Object doc;
        EXPECT_FALSE(anlegen(draft, doc));
        EXPECT_EQ(custom().size(), c.added) << "properties added";
        EXPECT_EQ(callsOf({L"Add"}).size(), c.added + (c.added ? 1u : 0u)) << "additions tried";
    }
}

TEST_F(TitleBlock, WriteFillsEmptyFieldsWithTheNoValueMarkAndBothNames) {
    startApplication(drawingWith({}));
    clsSolidEdgeDraft draft(binder(), drives());
    Fields f;
    for (size_t i = 0; i < f.size(); ++i) f[i].value = L"w" + std::to_wstring(i + 1);
    f[7].value = L"";    // PA-DATUM
    f[8].value = L"  ";  // blanks are a value
    Object doc;
    schreibe(draft, f, doc);
    EXPECT_EQ(f[7].value, L"-");
    const auto& content = sim().findDocument(kDrawing)->content();
    for (size_t i = 0; i < kNames.size(); ++i) {
        const edgesim::Property* p = content.property(L"Custom", kNames[i]);
        ASSERT_NE(p, nullptr) << "row " << i + 1 << " not written";
        EXPECT_EQ(p->value, f[i].value) << "row " << i + 1;
        if (i >= 7 && i <= 12) {
            const edgesim::Property* second = content.property(L"Custom", L"QX-" + kNames[i]);
            ASSERT_NE(second, nullptr) << "second name of row " << i + 1 << " not written";
            EXPECT_EQ(second->value, f[i].value) << "second name of row " << i + 1;
        }
    }
    EXPECT_EQ(content.propertySet(L"Custom")->properties.size(), 22u);
    EXPECT_EQ(sim().findDocument(kDrawing)->titleBlockUpdates(), 1u);
}

TEST_F(TitleBlock, ReadFallsBackToTheSecondNameOnlyWithoutAValue) {
    const struct {
        const char* what;
        Props props;
        std::wstring field9;
    } cases[]{
        {"no-value mark takes the second name", {{L"DRAWING-PA-NAME", L"-"}, {L"QX-DRAWING-PA-NAME", L"Meier"}}, L"Meier"},
        {"empty takes the second name", {{L"DRAWING-PA-NAME", L""}, {L"QX-DRAWING-PA-NAME", L"Meier"}}, L"Meier"},
        {"missing row takes the second name", {{L"QX-DRAWING-PA-NAME", L"Meier"}}, L"Meier"},
        {"missing second name gives empty", {{L"DRAWING-PA-NAME", L"-"}}, L""},
        {"second name's mark is kept", {{L"DRAWING-PA-NAME", L""}, {L"QX-DRAWING-PA-NAME", L"-"}}, L"-"},
        {"a value wins", {{L"DRAWING-PA-NAME", L"Schulz"}, {L"QX-DRAWING-PA-NAME", L"Meier"}}, L"Schulz"},
        {"blanks are a value", {{L"DRAWING-PA-NAME", L" "}, {L"QX-DRAWING-PA-NAME", L"Meier"}}, L" "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        startApplication(drawingWith(c.props));
        clsSolidEdgeDraft draft(binder(), drives());
        Fields f;
        for (auto& field : f) field.value = L"alt";
        Object doc;
        lese(draft, f, doc);
        EXPECT_EQ(f[8].value, c.field9);
        EXPECT_EQ(f[0].value, L"") << "a missing row leaves its field empty";
    }
}

TEST_F(TitleBlock, WithoutAnyDocumentWriteFailsAtTheUpdateAndReadEmptiesEveryField) {
    startApplication(L"running yes\n");
    clsSolidEdgeDraft draft(binder(), drives());
    Fields f;
    Object doc;
    EXPECT_THROW(schreibe(draft, f, doc), AutomationError);
    EXPECT_EQ(f[0].value, L"-");
    for (auto& field : f) field.value = L"alt";
    EXPECT_FALSE(lese(draft, f, doc));
    for (size_t i = 0; i < f.size(); ++i) EXPECT_EQ(f[i].value, L"") << "field " << i + 1;
}
