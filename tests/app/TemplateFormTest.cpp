// The template form's choice logic, and the dialog template that shows it.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "app/DialogUnits.h"
#include "app/frmVorlagenAuswahl.h"

namespace korvane {
namespace {

class RecordingView : public TemplateDialogView {
public:
    std::string log;
    void selectOption(int16_t index) override { log += "select" + std::to_string(index) + " "; }
    void hide() override { log += "hide "; }
};

// Runs the user's actions on a freshly loaded form: 'n' clicks Normal, 'e' clicks eng.chin.Normal,
// 'w' presses Weiter, 'c' closes the window by its own means: no event reaches the form, and the window
// is gone, so that anything played after it reaches a form without a window.
struct Session {
    frmVorlagenAuswahl form;
    RecordingView view;
    void play(const std::string& actions) {
        form.attach(&view);
        form.Form_Load();
        for (char a : actions) {
            if (a == 'n') form.Option1_Click(0);
            if (a == 'e') form.Option1_Click(1);
            if (a == 'w') form.cmdWeiter_Click();
            if (a == 'c') form.attach(nullptr);
        }
        form.attach(nullptr);
    }
};

TEST(TemplateForm, TheChoiceIsTheLastClickedOption) {
    struct Case {
        std::string actions;
        int32_t auswahl;
        std::string viewLog;
    };
    const Case cases[] = {
        {"w", 0, "select0 hide "},      // Weiter on an untouched dialog
        {"enw", 0, "select0 hide "},
        {"ew", 1, "select0 hide "},
        {"ec", 1, "select0 "},          // closed after choosing eng.chin.Normal
        {"c", 0, "select0 "},           // closed at once
        {"ecw", 1, "select0 "},         // a Weiter that comes after the close no longer reaches a window
        {"eeeew", 1, "select0 hide "},
        {"nw", 0, "select0 hide "},
    };
    for (const auto& c : cases) {
        Session s;
        s.play(c.actions);
        EXPECT_EQ(s.form.Auswahl(), c.auswahl) << "actions " << c.actions;
        EXPECT_EQ(s.view.log, c.viewLog) << "actions " << c.actions;
    }
}

TEST(TemplateForm, LoadingResetsAnEarlierChoiceAndClicksKeepTheSign) {
    frmVorlagenAuswahl form;
    form.Option1_Click(1);
    form.Form_Load();  // without a window: the choice is reset all the same
    EXPECT_EQ(form.Auswahl(), 0);
    form.Option1_Click(-1);
    EXPECT_EQ(form.Auswahl(), -1) << "a 16-bit index is widened with its sign";
    form.cmdWeiter_Click();
    EXPECT_EQ(form.Auswahl(), -1) << "Weiter leaves the choice alone";
}

TEST(DialogUnits, TwipsConvertByEdges) {
    struct Case {
        TwipsRect twips;
        DialogUnitRect expected;
    };
    const Case cases[] = {
        {{0, 0, 4485, 2175}, {0, 0, 199, 89}},
        {{120, 120, 4215, 1335}, {5, 5, 188, 55}},
        {{3000, 1560, 1335, 495}, {133, 64, 60, 20}},
        {{0, 0, 45, 195}, {0, 0, 2, 8}},          // exact: 22.5 and 24.375 twips per unit
        {{0, 0, 11, 12}, {0, 0, 0, 0}},            // below half a unit
        {{0, 0, 12, 13}, {0, 0, 1, 1}},            // half a unit or more
    };
    for (const auto& c : cases) {
        const auto got = toDialogUnits(c.twips);
        EXPECT_EQ(got, c.expected) << "twips " << c.twips.left << "," << c.twips.top << " " << c.twips.width << "x"
                                   << c.twips.height << " gave " << got.x << "," << got.y << " " << got.cx << "x"
                                   << got.cy;
    }
    const auto frame = toDialogUnits(frmVorlagenAuswahl::Frame1);
    const auto button = toDialogUnits(frmVorlagenAuswahl::cmdWeiter);
    EXPECT_EQ(frame.x + frame.cx, button.x + button.cx) << "the right edges of Frame1 and cmdWeiter line up";
}

// The dialog template is written by hand; it must say what the form's design says.
struct RcControl {
    std::string caption;
    std::string id;
    std::string style;
    DialogUnitRect rect;
};

std::vector<RcControl> readControls(std::string& header) {
    const std::string source = __FILE__;
    const std::string root = source.substr(0, source.find_last_of("/\\"));
    std::ifstream in(root + "/../../src/app/win32/frmVorlagenAuswahl.rc");
    std::vector<RcControl> controls;
    if (!in) return controls;
    std::stringstream text;
    text << in.rdbuf();
    header = text.str();
    const std::regex control(
        R"re(CONTROL\s+"([^"]*)"\s*,\s*(\w+)\s*,\s*"Button"\s*,\s*([^,]+),\s*(\d+)\s*,\s*(\d+)\s*,\s*(\d+)\s*,\s*(\d+))re");
    for (std::sregex_iterator it(header.begin(), header.end(), control), end; it != end; ++it) {
        const auto& m = *it;
        controls.push_back({m[1], m[2], m[3],
                            {std::stoi(m[4]), std::stoi(m[5]), std::stoi(m[6]), std::stoi(m[7])}});
    }
    return controls;
}

TEST(DialogTemplate, ControlsFollowTheFormInTabOrder) {
    std::string rc;
    const auto controls = readControls(rc);
    ASSERT_EQ(controls.size(), 4u) << "four controls in the dialog template";

    const TwipsRect frame = frmVorlagenAuswahl::Frame1;
    struct Expected {
        std::string caption;
        std::string id;
        DialogUnitRect rect;
        bool group;
    };
    const Expected expected[] = {
        {"neue Vorlage", "IDC_FRAME1", toDialogUnits(frame), false},
        {"eng.chin.Normal", "IDC_OPTION1_1", toDialogUnits(offsetBy(frmVorlagenAuswahl::Option1[1], frame)), true},
        {"Normal", "IDC_OPTION1_0", toDialogUnits(offsetBy(frmVorlagenAuswahl::Option1[0], frame)), false},
        {"Weiter", "IDC_CMDWEITER", toDialogUnits(frmVorlagenAuswahl::cmdWeiter), true},
    };
    for (size_t i = 0; i < 4; ++i) {
        const auto& got = controls[i];
        const auto& want = expected[i];
        EXPECT_EQ(got.caption, want.caption) << "tab position " << i;
        EXPECT_EQ(got.id, want.id) << "tab position " << i;
        EXPECT_EQ(got.rect, want.rect) << want.id << " at " << got.rect.x << "," << got.rect.y << " " << got.rect.cx
                                       << "x" << got.rect.cy;
        EXPECT_EQ(got.style.find("WS_GROUP") != std::string::npos, want.group) << want.id << " group start";
    }
    EXPECT_NE(controls[1].style.find("BS_AUTORADIOBUTTON"), std::string::npos);
    EXPECT_NE(controls[2].style.find("BS_AUTORADIOBUTTON"), std::string::npos);
    EXPECT_NE(controls[3].style.find("BS_PUSHBUTTON"), std::string::npos) << "Weiter is no default button";
    EXPECT_EQ(rc.find("DEFPUSHBUTTON"), std::string::npos);
    EXPECT_EQ(rc.find("IDCANCEL"), std::string::npos) << "the dialog has no cancel button";

    const auto client = toDialogUnits({0, 0, frmVorlagenAuswahl::ClientWidth, frmVorlagenAuswahl::ClientHeight});
    std::smatch m;
    ASSERT_TRUE(std::regex_search(rc, m, std::regex(R"(DIALOGEX\s+0\s*,\s*0\s*,\s*(\d+)\s*,\s*(\d+))")));
    EXPECT_EQ(std::stoi(m[1]), client.cx);
    EXPECT_EQ(std::stoi(m[2]), client.cy);
    EXPECT_NE(rc.find("CAPTION \"Auswahl der neuen Vorlage\""), std::string::npos);
}

}  // namespace
}  // namespace korvane
