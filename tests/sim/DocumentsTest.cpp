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

TEST(Documents, RefusedPropertyAdditionsByNameOrAll) {
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
        Object custom = sim->application().getObject(2).getObject(52).callObject(0, {Variant(L"Custom")});
        EXPECT_EQ(errorOf([&] { custom.call(8, {Variant(c.name), Variant(L"-")}); }), c.error) << c.refusal;
        EXPECT_EQ(sim->activeDocument()->content().property(L"Custom", c.name) != nullptr, c.error == 0) << c.refusal;
    }
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
    EXPECT_EQ(doc.get(L"Type").toLong(), 3);
    EXPECT_EQ(sim->application().get(76).toLong(), 3);
    EXPECT_EQ(errorOf([&] { doc.call(L"Save"); }), edgesim::err::Fail);
    EXPECT_EQ(errorOf([&] { doc.get(4199); }), korvane::rt::MemberNotSupported) << "an assembly has no sheets";
}

TEST(Documents, EveryObjectKindReportsItsInterfaceId) {
    auto sim = edgesim::Simulator::fromScenario(std::wstring(kTwoDrawings) + L"document C:\\t.par\n  type 1\nend\n");
    Object app = sim->application();
    Object part = app.getObject(2);
    Object drawing = app.getObject(21).callObject(0, {Variant::i4(1)});
    Object groups = drawing.getObject(4199);
    Object group = groups.callObject(0, {Variant::i2(2)});
    Object sheet = group.getObject(104).callObject(0, {Variant::i4(1)});
    Object custom = drawing.getObject(52).callObject(0, {Variant(L"Custom")});
    struct Case {
        const char* what;
        Object object;
        const wchar_t* id;
    } cases[] = {
        {"application", app, L"DED89DB0-45B6-11CE-B307-0800363A1E02"},
        {"documents", app.getObject(21), L"290D47B0-F718-11CD-8B57-080036181E02"},
        {"drafting document", drawing, L"016B11FB-CDC0-11CE-A035-08003601E53B"},
        {"part document", part, L"23C52E80-4698-11CE-B307-0800363A1E02"},
        {"sheet groups", groups, L"823E92A0-5EB1-11CE-956A-08003601DFE5"},
        {"sheet group", group, L"2F364920-5EB1-11CE-956A-08003601DFE5"},
        {"sheets", group.getObject(104), L"C39CAE50-5FB0-11CE-956A-08003601DFE5"},
        {"sheet", sheet, L"FFB20FA0-339B-11CE-956A-08003601DFE5"},
        {"sheet setup", sheet.getObject(123), L"A1BA2BC0-41EA-11CE-BB8E-08003601BB4E"},
        {"property sets", drawing.getObject(52), L"AED8FE5F-3129-11D1-BC83-0800360E1E02"},
        {"property set", custom, L"AED8FE61-3129-11D1-BC83-0800360E1E02"},
        {"property", custom.callObject(0, {Variant(L"SAPName")}), L"AED8FE63-3129-11D1-BC83-0800360E1E02"},
    };
    for (const Case& c : cases) EXPECT_EQ(edgesim::interfaceIdOf(*c.object.ptr()), c.id) << c.what;
    Object window = app.getObject(8);
    EXPECT_FALSE(edgesim::interfaceIdOf(*window.ptr()).empty());
    EXPECT_NE(edgesim::interfaceIdOf(*window.ptr()), edgesim::interfaceIdOf(*window.getObject(L"SelectSet").ptr()));
}
