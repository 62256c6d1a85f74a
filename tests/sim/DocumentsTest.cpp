#include <set>

#include "SimFixture.h"

using namespace simtest;

TEST(Documents, OpeningAnOpenFileReturnsThatDocumentWhateverTheLetterCase) {
    auto sim = twoDrawings();
    Object documents = sim->application().getObject(21);
    std::wstring name = kTemplate;
    Object first = documents.callObject(6, {Variant::textRef(name)});
    Object again = documents.callObject(6, {Variant(L"\\\\FILESERVER\\daten\\admin\\Vorlagen\\SeV12\\NORMAL.DFT")});
    EXPECT_TRUE(first == again) << "a second open made a second document";
    EXPECT_EQ(documents.get(3).toLong(), 2);
    EXPECT_EQ(first.get(L"FullName").toText(), kTemplate) << "the full name keeps the spelling of the first open";
    EXPECT_EQ(sim->activeDocument()->fullName(), kTemplate);
}

TEST(Documents, ActiveDocumentFollowsOpenActivateAndClose) {
    auto sim = twoDrawings();
    Object app = sim->application();
    Object drawing = app.getObject(2);
    EXPECT_EQ(drawing.get(L"FullName").toText(), kDrawing);
    Object tmpl = app.getObject(21).callObject(6, {Variant(kTemplate)});
    EXPECT_TRUE(app.getObject(2) == tmpl);
    drawing.call(1);
    EXPECT_TRUE(app.getObject(2) == drawing);
    tmpl.call(1);
    tmpl.call(6, {Variant::boolean(false)});
    EXPECT_TRUE(app.getObject(2) == drawing) << "closing the active document activates the one active before";
    EXPECT_EQ(app.getObject(21).get(3).toLong(), 1);
    drawing.call(L"Close", {Variant::boolean(false)});
    EXPECT_EQ(errorOf([&] { app.get(2); }), edgesim::err::Fail);
    EXPECT_EQ(errorOf([&] { app.get(76); }), edgesim::err::Fail);
    EXPECT_EQ(sim->activeDocument(), nullptr);
}

TEST(Documents, MembersOfDocumentsAndPropertiesAndTheirFailures) {
    auto sim = twoDrawings();
    Object documents = sim->application().getObject(21);
    Object drawing = documents.callObject(0, {Variant::i4(1)});
    Object sets = drawing.getObject(52);
    Object custom = drawing.getObject(L"Properties").callObject(0, {Variant(L"Custom")});
    struct Case {
        const char* what;
        std::function<void()> call;
        int32_t error;
    } cases[] = {
        {"item 0", [&] { documents.call(0, {Variant::i4(0)}); }, edgesim::err::BadIndex},
        {"item past the end", [&] { documents.call(0, {Variant::i4(2)}); }, edgesim::err::BadIndex},
        {"item without position", [&] { documents.call(0); }, korvane::rt::ArgumentNotOptional},
        {"open of a missing file", [&] { documents.call(6, {Variant(L"C:\\fehlt.dft")}); }, edgesim::err::Fail},
        {"unknown member name", [&] { documents.call(L"Add"); }, korvane::rt::MemberNotSupported},
        {"unknown member id", [&] { drawing.call(4711); }, korvane::rt::MemberNotSupported},
        {"add", [&] { custom.call(8, {Variant(L"DRAWING-CAD_MASSSTAB"), Variant(L"-")}); }, 0},
        {"add of an existing name", [&] { custom.call(8, {Variant(L"SAPName"), Variant(L"x")}); }, edgesim::err::AlreadyExists},
        {"add without value", [&] { custom.call(8, {Variant(L"X")}); }, korvane::rt::ArgumentNotOptional},
        {"missing set", [&] { sets.call(0, {Variant(L"ProjectInformation")}); }, edgesim::err::BadIndex},
        {"missing property", [&] { custom.call(0, {Variant(L"SAPType")}); }, edgesim::err::BadIndex},
        {"property names are exact", [&] { custom.call(0, {Variant(L"sapname")}); }, edgesim::err::BadIndex},
        {"write", [&] { custom.callObject(0, {Variant(L"SAPName")}).put(2, Variant(L" ")); }, 0},
        {"set save", [&] { custom.call(5); }, 0},
        {"save of a drawing", [&] { drawing.call(L"Save"); }, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(errorOf(c.call), c.error) << c.what;

    const edgesim::DocumentContent& content = sim->activeDocument()->content();
    ASSERT_NE(content.property(L"Custom", L"DRAWING-CAD_MASSSTAB"), nullptr);
    EXPECT_EQ(content.property(L"Custom", L"DRAWING-CAD_MASSSTAB")->value, L"-");
    EXPECT_EQ(custom.callObject(0, {Variant(L"SAPName")}).get(2).toText(), L" ");
    EXPECT_EQ(content.propertySet(L"Custom")->properties.size(), 2u) << "the refused duplicate was added";
    EXPECT_EQ(sim->activeDocument()->propertySetSaves(L"Custom"), 1u);
    EXPECT_EQ(errorOf([&] { drawing.call(L"Close", {Variant::boolean(false)}); }), 0);
    EXPECT_EQ(errorOf([&] { drawing.get(L"FullName"); }), edgesim::err::Disconnected) << "call on the closed drawing";
    EXPECT_EQ(documents.get(3).toLong(), 0);
}

TEST(Documents, SaveWritesTheFileThatALaterOpenReads) {
    auto sim = twoDrawings();
    Object app = sim->application();
    Object drawing = app.getObject(2);
    Object custom = drawing.getObject(52).callObject(0, {Variant(L"Custom")});
    custom.call(8, {Variant(L"DRAWING-PA-NAME"), Variant(L"Meier")});
    EXPECT_TRUE(sim->activeDocument()->modified());
    drawing.call(L"Save");
    EXPECT_FALSE(sim->activeDocument()->modified());
    drawing.call(L"Close", {Variant::boolean(false)});
    EXPECT_NE(sim->fileStateText(kDrawing).find(L"property DRAWING-PA-NAME=Meier"), std::wstring::npos)
        << sim->fileStateText(kDrawing);
    Object reopened = app.getObject(21).callObject(6, {Variant(kDrawing)});
    EXPECT_EQ(reopened.getObject(52).callObject(0, {Variant(L"Custom")}).callObject(0, {Variant(L"DRAWING-PA-NAME")}).get(2).toText(),
              L"Meier");
}

TEST(Documents, ANewDocumentHasNoFullNameAndCannotBeSaved) {
    auto sim = edgesim::Simulator::fromScenario(L"document\n  type 3\nend\n");
    Object doc = sim->application().getObject(2);
    EXPECT_EQ(doc.get(L"FullName").toText(), L"");
    EXPECT_EQ(errorOf([&] { doc.call(L"Save"); }), edgesim::err::Fail);
    EXPECT_EQ(errorOf([&] { doc.get(4199); }), korvane::rt::MemberNotSupported) << "an assembly has no sheets";
}

// Callers share name look-ups per interface id, so two kinds of object must never report the same one.
TEST(Documents, EveryObjectKindReportsAnInterfaceIdOfItsOwn) {
    auto sim = edgesim::Simulator::fromScenario(std::wstring(kTwoDrawings) + L"document C:\\t.par\n  type 1\nend\n");
    Object app = sim->application();
    Object drawing = app.getObject(21).callObject(0, {Variant::i4(1)});
    Object group = drawing.getObject(4199).callObject(0, {Variant::i2(2)});
    Object sheet = group.getObject(104).callObject(0, {Variant::i4(1)});
    Object custom = drawing.getObject(52).callObject(0, {Variant(L"Custom")});
    const Object kinds[] = {app, app.getObject(21), drawing, app.getObject(2), drawing.getObject(4199), group,
                            group.getObject(104), sheet, sheet.getObject(123), drawing.getObject(52), custom,
                            custom.callObject(0, {Variant(L"SAPName")}), app.getObject(8),
                            app.getObject(8).getObject(L"SelectSet")};
    std::set<std::wstring_view> ids;
    for (const Object& kind : kinds) {
        const std::wstring_view id = edgesim::interfaceIdOf(*kind.ptr());
        EXPECT_EQ(id.size(), 36u) << "not an interface id: " << korvane::toUtf8(std::wstring(id));
        EXPECT_TRUE(ids.insert(id).second) << "reported by two kinds: " << korvane::toUtf8(std::wstring(id));
    }
}
