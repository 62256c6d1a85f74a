#pragma once
// What happened to one drawing of the batch: one row of the report.
#include <cstdint>
#include <string>

namespace korvane {

enum class Outcome {
    Exchanged,         // every background sheet got the template's content
    PartlyExchanged,   // some sheet kept its content: the template has no sheet of its size
    Skipped,           // left untouched (the reason is in the error text)
    Failed,            // an error; the drawing is unchanged or restored from its backup
    Probed,            // dry run: nothing changed
    InProgress,        // written before the save; a report that still shows it was interrupted there
    Cancelled,         // left untouched because the user stopped the run (reported as skipped)
    Missing,           // in a merged report: the part it belongs to has not finished it
};

struct DrawingResult {
    std::wstring path;
    Outcome outcome = Outcome::Failed;
    std::wstring exchanged;        // number of sheets exchanged; in a dry run: which sheet would get which
    std::wstring withoutPartner;   // "name (size)" of the sheets without a template sheet of their size
    int32_t propertiesAdded = 0;
    int32_t errorNumber = 0;
    std::wstring errorText;        // the error's description, or why the drawing was skipped
    std::wstring backup;           // the backup copy's path, empty when none was made
    double seconds = 0;
};

// The report's word for an outcome, and back (nothing for an unknown word).
std::wstring outcomeText(Outcome outcome);
bool outcomeFromText(const std::wstring& text, Outcome& outcome);

// Done in an earlier run: a resumed run leaves it alone.
inline bool isDone(Outcome outcome) { return outcome == Outcome::Exchanged || outcome == Outcome::PartlyExchanged; }

}  // namespace korvane
