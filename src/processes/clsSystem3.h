#pragma once
// The process census. No operation raises or shows anything.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "processes/ProcessTable.h"

namespace korvane {

class clsSystem3 {
public:
    clsSystem3();  // with the platform's process table
    explicit clsSystem3(std::shared_ptr<ProcessTable> table);  // nullptr: no snapshot, every count 0

    int32_t liefereProzessAnzahl(const std::wstring& sProzessname);
    // The ids of the processes liefereProzessAnzahl counts, in the table's order.
    std::vector<uint32_t> liefereProzessIDs(const std::wstring& sProzessname);
    int32_t liefereProzessID(const std::wstring& sProzessname);
    void killProzessID(int32_t lProzessID);

private:
    std::shared_ptr<ProcessTable> table_;
};

}  // namespace korvane
