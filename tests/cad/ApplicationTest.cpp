// Binding, teardown and the application-wide services of clsSolidEdge.
#include <string>
#include <vector>

#include "cad/CadFixture.h"
#include "cad/clsSolidEdge.h"

namespace korvane::test {
namespace {

class Application : public CadFixture {};

constexpr DispId kDisplayAlerts = 18;
constexpr DispId kScreenUpdating = 29;

// Teardown puts the settings back exactly when a binding connected, and ends the application
// exactly when the binding started it, so the rows need say no more than that.
struct BindCase {
    const char* what;
    const wchar_t* scenario;
    bool bindAgain;  // a second operation binds once more before teardown
    bool connected;
    bool started;
};

const std::vector<BindCase> kBindCases = {
    {"running application is bound and left running",
     L"running yes\nsetting 18 no\nsetting 29 no\n", false, true, false},
    {"application started when none runs, ended at teardown",
     L"running no\nstartable yes\nsetting 18 no\nsetting 29 no\n", false, true, true},
    {"neither running nor startable",
     L"running no\nstartable no\nsetting 18 no\nsetting 29 no\n", false, false, false},
    {"the last binding decides: a started application found running later stays",
     L"running no\nstartable yes\nsetting 18 no\nsetting 29 no\n", true, true, false},
};

TEST_F(Application, BindingAndTeardown) {
    for (const auto& c : kBindCases) {
        SCOPED_TRACE(c.what);
        startApplication(c.scenario);
        {
            clsSolidEdge se(binder(), drives());
            EXPECT_FALSE(se.connected()) << "connected before any binding";
            Object app = se.liefereSolidEdgeApplication();
            if (c.bindAgain) se.ermittleDokumentTyp();
            EXPECT_EQ(app.isNothing(), !c.connected) << "application reference differed";
            EXPECT_EQ(se.connected(), c.connected) << "connected differed";
            EXPECT_EQ(se.started(), c.started) << "started differed";
            EXPECT_EQ(se.bindingFailure().has_value(), !c.connected) << "failure report differed";
            if (se.bindingFailure()) {
                EXPECT_EQ(se.bindingFailure()->number(), static_cast<int32_t>(0x80040001u));
                EXPECT_EQ(se.bindingFailure()->source(), L"SolidEdge Klasse");
                EXPECT_EQ(se.bindingFailure()->description(), L"SolidEdgeobjekt konnte nicht erstellt werden");
            }
            EXPECT_FALSE(sim().hasQuit()) << "ended before teardown";
        }
        EXPECT_EQ(sim().setting(kDisplayAlerts), c.connected) << "setting 18 after teardown differed";
        EXPECT_EQ(sim().setting(kScreenUpdating), c.connected) << "setting 29 after teardown differed";
        EXPECT_EQ(sim().hasQuit(), c.started) << "ending at teardown differed";
        if (c.started) {
            EXPECT_EQ(callsOf({L"DisplayAlerts", L"ScreenUpdating", L"Quit"}),
                      (std::vector<std::wstring>{L"Application DisplayAlerts(Bool True)",
                                                 L"Application ScreenUpdating(Bool True)", L"Application Quit()"}));
        }
    }
}

TEST_F(Application, TeardownGoesOnPastARefusedSetting) {
    startApplication(L"running no\nstartable yes\nsetting 29 no\nfault Application 18 error 440 Abgelehnt\n");
    {
        clsSolidEdge se(binder(), drives());
        se.liefereSolidEdgeApplication();
    }
    EXPECT_TRUE(sim().setting(kScreenUpdating));
    EXPECT_TRUE(sim().hasQuit()) << "a started application outlived a refused setting";
}

TEST_F(Application, EndingTheApplication) {
    startApplication(L"running yes\nsetting 18 no\n");
    {
        clsSolidEdge se(binder(), drives());
        se.schliesseSolidEdgeApplication();
        EXPECT_FALSE(se.connected());
        EXPECT_FALSE(se.started());
        EXPECT_TRUE(sim().hasQuit());
    }
    EXPECT_FALSE(sim().setting(kDisplayAlerts)) << "teardown touched an ended application";
    EXPECT_EQ(callsOf({L"Quit"}).size(), 1u);
}

TEST_F(Application, OpeningADocument) {
    startApplication(L"running yes\nfile Z:\\p\\a.dft\ntype 2\nend\n");
    {
        clsSolidEdge se(binder(), drives());
        EXPECT_EQ(se.oeffneDokument(L"Z:\\p\\a.dft"), 0);
        EXPECT_EQ(callsOf({L"DisplayAlerts", L"Open"}),
                  (std::vector<std::wstring>{L"Application DisplayAlerts(Bool False)",
                                             L"Documents Open(TextRef \"Z:\\p\\a.dft\")"}));
        EXPECT_THROW(se.oeffneDokument(L"Z:\\p\\fehlt.dft"), AutomationError);
    }
    EXPECT_TRUE(sim().setting(kDisplayAlerts)) << "setting 18 not restored at teardown";
}

TEST_F(Application, ActiveDocumentTypeCodes) {
    const struct {
        int32_t type;  // 0: no active document
        const wchar_t* code;
    } cases[] = {{1, L"PAR"}, {2, L"SED"}, {3, L"ASM"}, {4, L"SES"}, {5, L""}, {6, L"PSM"}, {-1, L""}, {0, L""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        startApplication(c.type == 0 ? runningWith({}) : runningWith({{L"Z:\\p\\a", c.type}}));
        clsSolidEdge se(binder(), drives());
        EXPECT_EQ(se.ermittleDokumentTyp(), c.code) << "code of type " << c.type << " differed";
    }
    startApplication(runningWith({{L"Z:\\p\\a.par", 1}}, L"fault Application 76 error 440\n"));
    clsSolidEdge se(binder(), drives());
    EXPECT_EQ(se.ermittleDokumentTyp(), L"") << "a failing type read was not neutral";
}

TEST_F(Application, ClosingTheActiveDocumentWhateverItsName) {
    startApplication(runningWith({{L"Z:\\p\\a.dft", 2}, {L"Z:\\p\\b.dft", 2}}, L"active Z:\\p\\b.dft\n"));
    clsSolidEdge se(binder(), drives());
    EXPECT_EQ(se.schliesseDokument(L"Z:\\p\\a.dft"), 0);
    EXPECT_EQ(openDocumentNames(), std::vector<std::wstring>{L"Z:\\p\\a.dft"});
    EXPECT_EQ(callsOf({L"Close"}), std::vector<std::wstring>{L"Document(Z:\\p\\b.dft) Close(Bool False)"});

    startApplication(L"running yes\n");
    clsSolidEdge idle(binder(), drives());
    EXPECT_EQ(idle.schliesseDokument(L"Z:\\p\\a.dft"), 0) << "closing with no active document was not neutral";
}

#ifndef _WIN32
// A POSIX host has no automation runtime: the default-made object binds to nothing, quietly.
TEST(DefaultServices, WithoutAnAutomationRuntimeTheBindingIsEmpty) {
    clsSolidEdge se;
    EXPECT_TRUE(se.liefereSolidEdgeApplication().isNothing());
    EXPECT_FALSE(se.connected());
    EXPECT_FALSE(se.started());
    EXPECT_TRUE(se.bindingFailure().has_value()) << "the failed binding left no report";
}
#endif

}  // namespace
}  // namespace korvane::test
