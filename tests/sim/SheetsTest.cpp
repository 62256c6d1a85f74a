#include "SimFixture.h"

using namespace simtest;

TEST(Sheets, SelectionDeleteAndMisuseNotes) {
    auto sim = twoDrawings();
    Object app = sim->application();
    Object drawing = app.getObject(2);
    Object background2 = sheetsOf(drawing, Variant::i2(2)).callObject(0, {Variant::i4(2)});

    background2.call(115);  // without command 10211 first
    ASSERT_EQ(sim->notes().size(), 1u);
    EXPECT_NE(sim->notes()[0].find(L"Hintergrund 2"), std::wstring::npos) << sim->notes()[0];

    Object selectSet = app.getObject(8).getObject(L"SelectSet");
    selectSet.call(L"AddAll");
    EXPECT_EQ(selectSet.get(L"Count").toLong(), 3);
    selectSet.call(L"RemoveAll");
    app.call(79, {Variant::i4(57634)});
    EXPECT_TRUE(sim->clipboard().empty()) << "copying nothing empties the clipboard";

    selectSet.call(L"AddAll");
    app.call(79, {Variant::i4(57634)});
    EXPECT_FALSE(sim->activeDocument()->modified()) << "copying changed the document";
    app.call(79, {Variant::i4(10100)});
    const edgesim::Sheet* sheet = sim->activeDocument()->content().sheet(edgesim::SheetGroupKind::Background, L"Hintergrund 2");
    EXPECT_TRUE(sheet->items.empty()) << "delete leaves the selected items on the sheet";
    EXPECT_EQ(sim->clipboard().size(), 3u);

    app.call(79, {Variant::i4(57637)});
    app.call(79, {Variant::i4(57637)});
    EXPECT_EQ(sheet->items.size(), 6u) << "two pastes of three items";
    app.call(79, {Variant::i4(4711)});
    EXPECT_EQ(sim->commands(), (std::vector<int32_t>{57634, 57634, 10100, 57637, 57637, 4711}));
    EXPECT_EQ(sim->notes().back(), L"Unbekannter Befehl 4711");
}

TEST(Sheets, ViewCommandsMoveTheCurrentSheetAndAnEmptyPasteChangesNothing) {
    auto sim = twoDrawings();
    Object app = sim->application();
    auto drawing = sim->activeDocument();
    app.call(79, {Variant::i4(10211)});
    EXPECT_TRUE(drawing->showsBackground());
    ASSERT_NE(drawing->currentSheetData(), nullptr);
    EXPECT_EQ(drawing->currentSheetData()->name, L"Hintergrund 1");
    app.call(79, {Variant::i4(57637)});
    EXPECT_EQ(drawing->content().backgroundSheets[0].items, std::vector<std::wstring>{L"Rahmen A4 alt"});
    EXPECT_FALSE(drawing->modified());
    ASSERT_FALSE(sim->notes().empty());
    EXPECT_NE(sim->notes().back().find(L"leerer Zwischenablage"), std::wstring::npos) << sim->notes().back();
    app.call(79, {Variant::i4(10212)});
    EXPECT_FALSE(drawing->showsBackground());
    ASSERT_NE(drawing->currentSheetData(), nullptr);
    EXPECT_EQ(drawing->currentSheetData()->name, L"Blatt1");
}
