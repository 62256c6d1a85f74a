#pragma once
// Shared helpers of the simulator tests: a small two-drawing world and error capture.
#include <gmock/gmock.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "TestSupport.h"
#include "automation/AutomationError.h"
#include "automation/TextConvert.h"
#include "model/SimError.h"
#include "model/Simulator.h"

namespace simtest {

inline const wchar_t* const kTemplate = L"\\\\fileserver\\daten\\Admin\\Vorlagen\\SeV12\\normal.dft";
inline const wchar_t* const kDrawing = L"C:\\Zeichnungen\\Welle.dft";

// A drawing with two background sheets open and active; the template lies on the (inline) file server.
inline const wchar_t* const kTwoDrawings = LR"(
version 12.00.00.55
file \\fileserver\daten\Admin\Vorlagen\SeV12\normal.dft
  type 2
  propertyset Custom
  sheet working 8 Blatt1
  sheet background 8 Hintergrund A3
    item Rahmen A3 neu
    item Schriftfeld neu
  sheet background 4 Hintergrund A4
    item Rahmen A4 neu
end
document C:\Zeichnungen\Welle.dft
  type 2
  propertyset Custom
    property SAPName=4711
  propertyset Summary
  sheet working 4 Blatt1
    item Welle Ansicht
  sheet background 4 Hintergrund 1
    item Rahmen A4 alt
  sheet background 8 Hintergrund 2
    item Rahmen A3 alt
    item Schriftfeld alt
    item Stempel alt
end
)";

using korvane::Object;
using korvane::Variant;
using korvane::test::errorOf;

inline std::shared_ptr<edgesim::Simulator> twoDrawings() { return edgesim::Simulator::fromScenario(kTwoDrawings); }

// The sheets of one sheet group of a document (1 working, 2 background).
inline Object sheetsOf(const Object& doc, Variant group) {
    return doc.getObject(4199).callObject(0, {group}).getObject(104);
}

}  // namespace simtest
