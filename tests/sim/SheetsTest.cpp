#include "SimFixture.h"

using namespace simtest;

namespace {

std::vector<std::wstring> names(const Object& sheets) {
    std::vector<std::wstring> out;
    for (const Variant& s : sheets.items()) out.push_back(Object::from(s).get(20).toText());
    return out;
}

}  // namespace

TEST(Sheets, GroupsAndSizesInCollectionOrder) {
    auto sim = twoDrawings();
    Object app = sim->application();
    Object drawing = app.getObject(2);
    struct Case {
        const char* what;
        Variant group;
        std::vector<std::wstring> names;
        std::vector<int32_t> sizes;
    } cases[] = {
        {"background sheets", Variant::i2(2), {L"Hintergrund 1", L"Hintergrund 2"}, {4, 8}},
        {"working sheets", Variant::i2(1), {L"Blatt1"}, {4}},
    };
    for (const Case& c : cases) {
        Object sheets = sheetsOf(drawing, c.group);
        EXPECT_EQ(names(sheets), c.names) << c.what;
        std::vector<int32_t> sizes;
        for (const Variant& s : sheets.items()) sizes.push_back(Object::from(s).getObject(123).get(12).toLong());
        EXPECT_EQ(sizes, c.sizes) << c.what;
        EXPECT_EQ(sheets.get(3).toLong(), static_cast<int32_t>(c.names.size())) << c.what;
    }
    EXPECT_NE(errorOf([&] { drawing.getObject(4199).call(0, {Variant::i2(3)}); }), 0) << "group 3 does not exist";
}

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
