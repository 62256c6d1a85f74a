// The dry run names, for each background sheet, the template sheet the exchange will paste from. Both
// follow one pairing rule; this holds them to it where a wrong rule would show: templates with several
// sheets of one size, and sizes the template lacks.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "automation/TextConvert.h"
#include "batch/BatchFixture.h"

namespace korvane::test {
namespace {

struct TemplateSheet {
    int size;
    std::string name;  // unique within the template; its frame item is "Rahmen <name>"
};

std::string templateText(const std::vector<TemplateSheet>& sheets) {
    std::string text = "type 2\npropertyset Custom\nsheet working 8 Blatt1\n";
    for (const TemplateSheet& s : sheets) {
        text += "sheet background " + std::to_string(s.size) + " " + s.name + "\n  item Rahmen " + s.name + "\n";
    }
    return text;
}

// The first item of each background sheet of a saved drawing, in sheet order.
std::vector<std::string> firstItems(const std::string& text) {
    std::vector<std::string> items;
    std::istringstream in(text);
    bool wanted = false;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("sheet ", 0) == 0) {
            wanted = line.rfind("sheet background ", 0) == 0;
            if (wanted) items.emplace_back();
        } else if (wanted && line.find("item ") != std::string::npos && items.back().empty()) {
            items.back() = line.substr(line.find("item ") + 5);
        }
    }
    return items;
}

struct AgreementCase {
    const char* name;
    std::vector<TemplateSheet> vorlage;
    std::vector<int> drawingSizes;
};

class PairingAgreement : public BatchFixture {};

TEST_F(PairingAgreement, TheDryRunNamesTheTemplateSheetTheExchangePastes) {
    const std::vector<AgreementCase> cases = {
        {"two sheets of one size", {{8, "Erstes-A3"}, {8, "Zweites-A3"}}, {8}},
        {"the same size apart, another between", {{8, "A3-vorn"}, {4, "A4"}, {8, "A3-hinten"}}, {4, 8, 8}},
        {"a size the template lacks", {{4, "A4-eins"}, {4, "A4-zwei"}}, {12, 4}},
    };
    startApplication();
    for (size_t n = 0; n < cases.size(); ++n) {
        const AgreementCase& c = cases[n];
        SCOPED_TRACE(c.name);
        // Each case in a folder of its own, with reports and backups of its own.
        const std::wstring folder = L"Fall" + std::to_wstring(n);
        scratch.writeFile(kTemplate, templateText(c.vorlage));
        const std::wstring path = drawing(folder + L"\\a.dft", drawingText(c.drawingSizes));

        reportFile = kShare + L"\\Probe " + folder + L".csv";
        ASSERT_EQ(batchexit::AllDone, runBatch({kFolder + L"\\" + folder, L"/probe"}));
        const std::wstring planned = rowOf(path).exchanged;

        reportFile = kShare + L"\\Tausch " + folder + L".csv";
        backupFolder = kShare + L"\\Sicherung " + folder;
        runBatch({kFolder + L"\\" + folder});
        const std::vector<std::string> after = firstItems(bytesOf(path));
        ASSERT_EQ(after.size(), c.drawingSizes.size()) << "background sheets after the exchange";

        for (size_t i = 0; i < c.drawingSizes.size(); ++i) {
            const std::string sheet = "Hintergrund " + std::to_string(i + 1) + " (" + std::to_string(c.drawingSizes[i]) + ")";
            const std::string pasted =
                after[i].rfind("Rahmen ", 0) == 0 && after[i].find(" alt") == std::string::npos ? after[i].substr(7) : "";
            if (pasted.empty()) {
                EXPECT_EQ(toUtf8(planned).find(sheet + " →"), std::string::npos)
                    << sheet << ": the dry run pairs it (" << toUtf8(planned) << "), the exchange left it alone";
            } else {
                EXPECT_NE(toUtf8(planned).find(sheet + " → " + pasted), std::string::npos)
                    << sheet << ": the exchange pasted " << pasted << ", the dry run said " << toUtf8(planned);
            }
        }
    }
}

}  // namespace
}  // namespace korvane::test
