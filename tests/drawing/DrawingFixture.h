#pragma once
// Common ground of the drawing tests: drive Z is the network drive of \\srv\share, C is local, and
// the CAD application is EdgeSim in process, bound through the same factory the product uses.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "automation/AutomationBinder.h"
#include "automation/AutomationError.h"
#include "automation/Factory.h"
#include "files/DriveTableFileSystem.h"
#include "files/FileSystem.h"
#include "model/Simulator.h"

namespace korvane::testing {

class DrawingFixture : public ::testing::Test {
protected:
    // Only the drive table matters to the UNC conversion; no test here touches a file.
    DrawingFixture()
        : drives_([] {
              return std::make_shared<test::DriveTableFileSystem>(std::vector<test::TableDrive>{
                  {L'C', DriveType::Fixed, L""}, {L'Z', DriveType::Network, L"\\\\srv\\share"}});
          }) {}

    // The one place the application comes from, so another host of it could be put in here.
    void startApplication(std::wstring_view scenario) {
        sim_ = edgesim::Simulator::fromScenario(scenario);
        binder_.emplace([sim = sim_] { return std::make_shared<edgesim::InProcessBinder>(sim); });
    }
    edgesim::Simulator& sim() { return *sim_; }

    // Invokes in order as "<object> <kind> <id> <member>(<arguments>)"; look-ups, enumerations and
    // bindings left out.
    std::vector<std::wstring> invokes() const {
        std::vector<std::wstring> out;
        for (const auto& c : sim_->calls()) {
            if (c.kind != edgesim::CallKind::Get && c.kind != edgesim::CallKind::Put &&
                c.kind != edgesim::CallKind::Call)
                continue;
            std::wstring line =
                c.object + L" " + edgesim::callKindName(c.kind) + L" " + std::to_wstring(c.id) + L" " + c.member + L"(";
            for (size_t i = 0; i < c.arguments.size(); ++i) line += (i ? L", " : L"") + c.arguments[i];
            out.push_back(line + L")");
        }
        return out;
    }
    size_t countInvokes(std::wstring_view fragment) const {
        size_t n = 0;
        for (const auto& line : invokes()) n += line.find(fragment) != std::wstring::npos ? 1u : 0u;
        return n;
    }

private:
    Factory<FileSystem>::Scoped drives_;
    std::shared_ptr<edgesim::Simulator> sim_;
    std::optional<Factory<AutomationBinder>::Scoped> binder_;
};

}  // namespace korvane::testing
