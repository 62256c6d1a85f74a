// The template form's choice logic, and the dialog template that shows it.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>

#include "app/DialogUnits.h"
#include "app/frmVorlagenAuswahl.h"

namespace korvane {
namespace {

using test::measures;
using test::offsetBy;
using test::toDialogUnits;

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
        {"ew", 1, "select0 hide "},
        {"ec", 1, "select0 "},          // closed after choosing eng.chin.Normal
        {"c", 0, "select0 "},           // closed at once
        {"ecw", 1, "select0 "},         // a Weiter that comes after the close no longer reaches a window
        {"enw", 0, "select0 hide "},     // the last click counts
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
    const struct {
        TwipsRect twips;
        TwipsRect expected;
    } cases[] = {
        {{0, 0, 45, 195}, {0, 0, 2, 8}},       // exact: 22.5 and 24.375 twips per unit
        {{0, 0, 11, 12}, {0, 0, 0, 0}},        // below half a unit
        {{0, 0, 12, 13}, {0, 0, 1, 1}},        // half a unit or more
        {{3000, 1560, 1335, 495}, {133, 64, 60, 20}},  // edges, not sizes: 60 (59.3 by size)
    };
    for (const auto& c : cases) EXPECT_EQ(measures(toDialogUnits(c.twips)), measures(c.expected));
}

// The dialog template is written by hand; its measures must be the form's design measures. (Captions,
// kinds, tab order and buttons show in the end-to-end transcripts of the dialog.)
TEST(DialogTemplate, MeasuresFollowTheForm) {
    std::ifstream in(std::string(KORVANE_SOURCE_DIR) + "/src/app/win32/frmVorlagenAuswahl.rc");
    std::stringstream text;
    text << in.rdbuf();
    const std::string rc = text.str();
    std::map<std::string, TwipsRect> controls;
    const std::regex control(R"re(CONTROL\s+"([^"]*)"\s*,[^,]+,[^,]+,[^,]+,\s*(\d+)\s*,\s*(\d+)\s*,\s*(\d+)\s*,\s*(\d+))re");
    for (std::sregex_iterator it(rc.begin(), rc.end(), control), end; it != end; ++it) {
        const auto& m = *it;
        controls[m[1]] = {std::stoi(m[2]), std::stoi(m[3]), std::stoi(m[4]), std::stoi(m[5])};
    }
    ASSERT_EQ(controls.size(), 4u) << "four controls in the dialog template";

    const TwipsRect frame = frmVorlagenAuswahl::Frame1;
    const std::map<std::string, TwipsRect> expected = {
        {"neue Vorlage", toDialogUnits(frame)},
        {"eng.chin.Normal", toDialogUnits(offsetBy(frmVorlagenAuswahl::Option1[1], frame))},
        {"Normal", toDialogUnits(offsetBy(frmVorlagenAuswahl::Option1[0], frame))},
        {"Weiter", toDialogUnits(frmVorlagenAuswahl::cmdWeiter)},
    };
    for (const auto& [caption, rect] : expected) {
        EXPECT_EQ(measures(controls[caption]), measures(rect)) << caption;
    }
    const auto client = toDialogUnits({0, 0, frmVorlagenAuswahl::ClientWidth, frmVorlagenAuswahl::ClientHeight});
    std::smatch m;
    ASSERT_TRUE(std::regex_search(rc, m, std::regex(R"(DIALOGEX\s+0\s*,\s*0\s*,\s*(\d+)\s*,\s*(\d+))")));
    EXPECT_EQ(std::stoi(m[1]), client.width);
    EXPECT_EQ(std::stoi(m[2]), client.height);
}

}  // namespace
}  // namespace korvane
