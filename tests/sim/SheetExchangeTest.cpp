#include <gtest/gtest.h>

#include "SimFixture.h"

using namespace simtest;
using korvane::Object;
using korvane::Variant;

namespace {

std::vector<std::wstring> itemsOf(const edgesim::Simulator& sim, const wchar_t* doc, const wchar_t* sheet) {
    auto d = sim.findDocument(doc);
    if (!d) return {L"<no document>"};
    const edgesim::Sheet* s = d->content().sheet(edgesim::SheetGroupKind::Background, sheet);
    if (!s) return {L"<no sheet>"};
    return s->items;
}

Object backgroundSheet(const Object& doc, size_t position) {
    return Object::from(sheetsOf(doc, Variant::i2(2)).items().at(position));
}

// The program's copy-and-paste of one background sheet, step by step.
void exchange(const Object& app, const Object& tmpl, const Object& tmplSheet, const Object& drawing,
              const Object& drawingSheet) {
    tmpl.call(1);
    app.call(79, {Variant::i4(10211)});
    tmplSheet.call(115);
    Object window = app.getObject(8);
    window.getObject(L"SelectSet").call(L"RemoveAll");
    window.getObject(L"SelectSet").call(L"AddAll");
    app.call(79, {Variant::i4(57634)});
    drawing.call(1);
    app.call(79, {Variant::i4(10211)});
    drawingSheet.call(115);
    window = app.getObject(8);
    window.getObject(L"SelectSet").call(L"RemoveAll");
    window.getObject(L"SelectSet").call(L"AddAll");
    app.call(79, {Variant::i4(10100)});
    app.call(79, {Variant::i4(57637)});
}

}  // namespace

TEST(SheetExchange, CopyAndPasteReplacesExactlyTheTargetSheet) {
    auto sim = twoDrawings();
    Object app = sim->application();
    Object drawing = app.getObject(2);
    std::wstring name = kTemplate;
    Object tmpl = app.getObject(21).callObject(6, {Variant::textRef(name)});

    exchange(app, tmpl, backgroundSheet(tmpl, 0), drawing, backgroundSheet(drawing, 1));

    EXPECT_EQ(itemsOf(*sim, kDrawing, L"Hintergrund 2"), (std::vector<std::wstring>{L"Rahmen A3 neu", L"Schriftfeld neu"}));
    EXPECT_EQ(itemsOf(*sim, kDrawing, L"Hintergrund 1"), (std::vector<std::wstring>{L"Rahmen A4 alt"}));
    EXPECT_EQ(itemsOf(*sim, kTemplate, L"Hintergrund A3"), (std::vector<std::wstring>{L"Rahmen A3 neu", L"Schriftfeld neu"}));
    EXPECT_EQ(sim->commands(), (std::vector<int32_t>{10211, 57634, 10211, 10100, 57637}));
    EXPECT_TRUE(sim->notes().empty()) << sim->stateText();
    EXPECT_TRUE(sim->findDocument(kDrawing)->modified());
    EXPECT_FALSE(sim->findDocument(kTemplate)->modified());
}
