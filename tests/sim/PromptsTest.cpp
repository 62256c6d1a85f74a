#include <chrono>
#include <future>
#include <thread>

#include "SimFixture.h"

using namespace simtest;

namespace {

const wchar_t* const kOld = L"C:\\Zeichnungen\\Alt.dft";

// A drawing that asks at open and at save, with alerts as given; nothing is open.
std::shared_ptr<edgesim::Simulator> askingDrawing(bool alerts) {
    return edgesim::Simulator::fromScenario(std::wstring(L"setting 18 ") + (alerts ? L"yes" : L"no") + LR"(
file C:\Zeichnungen\Alt.dft
  type 2
  prompt open Die Datei stammt aus einer älteren Version.
  prompt save Verknüpfungen nicht gefunden.
  sheet working 8 Blatt1
end
)");
}

std::wstring promptLines(const edgesim::Simulator& sim) {
    std::wstring out;
    const std::wstring state = sim.stateText();
    size_t at = 0;
    while ((at = state.find(L"\nprompt ", at)) != std::wstring::npos) {
        const size_t end = state.find(L'\n', at + 1);
        out += state.substr(at + 1, end - at);
        at = end;
    }
    return out;
}

// Waits (bounded) until a prompt waits for an answer.
bool promptWaits(const edgesim::Simulator& sim) {
    for (int i = 0; i < 500 && !sim.promptWaiting(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return sim.promptWaiting();
}

}  // namespace

TEST(Prompts, AlertsOffTakeTheDefaultAtOnceAlertsOnWaitForTheAnswer) {
    struct Case {
        const char* what;
        bool alerts;
        const wchar_t* expected;
    } cases[] = {
        {"alerts off", false, L"prompt open default C:\\Zeichnungen\\Alt.dft\nprompt save default C:\\Zeichnungen\\Alt.dft\n"},
        {"alerts on", true, L"prompt open shown C:\\Zeichnungen\\Alt.dft\nprompt save shown C:\\Zeichnungen\\Alt.dft\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto sim = askingDrawing(c.alerts);
        Object documents = sim->application().getObject(21);
        auto opened = std::async(std::launch::async, [&] { return documents.callObject(6, {Variant(kOld)}); });
        if (c.alerts) {
            ASSERT_TRUE(promptWaits(*sim)) << "no prompt waited at open";
            EXPECT_EQ(opened.wait_for(std::chrono::milliseconds(100)), std::future_status::timeout)
                << "the open went on before the prompt was answered";
            EXPECT_EQ(sim->documents().size(), 0u) << "the document was open while its prompt waited";
            sim->answerPrompt();
        }
        ASSERT_EQ(opened.wait_for(std::chrono::seconds(5)), std::future_status::ready) << "the open never ended";
        Object drawing = opened.get();
        auto saved = std::async(std::launch::async, [&] { drawing.call(L"Save"); });
        if (c.alerts) {
            ASSERT_TRUE(promptWaits(*sim)) << "no prompt waited at save";
            sim->answerPrompt();
        }
        ASSERT_EQ(saved.wait_for(std::chrono::seconds(5)), std::future_status::ready) << "the save never ended";
        saved.get();
        EXPECT_EQ(promptLines(*sim), c.expected);
        EXPECT_NE(sim->fileStateText(kOld).find(L"prompt open Die Datei stammt aus einer älteren Version.\n"),
                  std::wstring::npos)
            << "the saved file lost its prompt:\n" << sim->fileStateText(kOld);
    }
}

TEST(Prompts, AWaitingPromptFailsTheCallWhenTheProcessEnds) {
    auto sim = askingDrawing(true);
    Object documents = sim->application().getObject(21);
    auto opened = std::async(std::launch::async, [&] { return errorOf([&] { documents.call(6, {Variant(kOld)}); }); });
    ASSERT_TRUE(promptWaits(*sim));
    sim->endAbruptly();
    ASSERT_EQ(opened.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    EXPECT_EQ(opened.get(), edgesim::err::CallFailed);
}

TEST(Prompts, MalformedPromptStatementsNameTheirLine) {
    for (const wchar_t* statement : {L"prompt", L"prompt close Text", L"prompt opening"}) {
        SCOPED_TRACE(korvane::toUtf8(statement));
        const std::wstring scenario = std::wstring(L"file C:\\x.dft\n  type 2\n  ") + statement + L"\nend\n";
        EXPECT_EQ(errorOf([&] { edgesim::Simulator::fromScenario(scenario); }), edgesim::err::Fail);
    }
}
