#include "processes/clsSystem3.h"

#include <utility>

#include "automation/ErrorPolicy.h"
#include "automation/TextConvert.h"
#include "files/Collation.h"
#include "files/WildcardPattern.h"

namespace korvane {

namespace {

// The census never fails in front of its caller: a table that cannot be created counts as an
// empty snapshot, and a pattern the matcher cannot read matches nothing.
std::shared_ptr<ProcessTable> createTable() {
    return swallow(std::shared_ptr<ProcessTable>{}, [] { return defaultProcessTable(); });
}

// The processes right now; none when there is no table or it could take no snapshot.
std::vector<ProcessEntry> processesOf(ProcessTable* table) {
    if (!table) return {};
    return table->snapshot().value_or(std::vector<ProcessEntry>{});
}

}  // namespace

clsSystem3::clsSystem3() : table_(createTable()) {}

clsSystem3::clsSystem3(std::shared_ptr<ProcessTable> table) : table_(std::move(table)) {}

int32_t clsSystem3::liefereProzessAnzahl(const std::wstring& sProzessname) {
    return static_cast<int32_t>(liefereProzessIDs(sProzessname).size());
}

std::vector<uint32_t> clsSystem3::liefereProzessIDs(const std::wstring& sProzessname) {
    // Failure policy: neutral result (none).
    return swallow(std::vector<uint32_t>{}, [&] {
        std::vector<uint32_t> ids;
        // Every entry is examined; the walk never stops early.
        for (const auto& entry : processesOf(table_.get())) {
            if (matchesPattern(entry.exeName, sProzessname, LetterCase::Respect)) ids.push_back(entry.processId);
        }
        return ids;
    });
}

int32_t clsSystem3::liefereProzessID(const std::wstring& sProzessname) {
    // Failure policy: neutral result (0).
    return swallow(int32_t{0}, [&] {
        // Lower-cased as the system folds letters for the user, every alphabet, not Latin-1 alone;
        // the comparison itself stays binary.
        const Collation& user = Collation::user();
        const std::wstring wanted = user.lowerCased(sProzessname);
        for (const auto& entry : processesOf(table_.get())) {
            // Process ids are 32-bit unsigned on Windows; the result carries their bits as a signed Long.
            if (user.lowerCased(entry.exeName) == wanted) return static_cast<int32_t>(entry.processId);
        }
        return int32_t{0};
    });
}

void clsSystem3::killProzessID(int32_t lProzessID) {
    // Failure policy: neutral result (nothing happens, nothing is reported).
    swallow([&] {
        if (table_) table_->terminate(static_cast<uint32_t>(lProzessID), 1);
    });
}

}  // namespace korvane
