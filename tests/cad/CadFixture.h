#pragma once
// Common ground of the CAD service tests: drive Z is mapped to \\srv\share, C is local, and the
// application the code binds to comes from startApplication(), the one place where another host
// of the application could be put in.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "automation/AutomationBinder.h"
#include "files/DriveTableFileSystem.h"
#include "model/Simulator.h"

namespace korvane::test {

class CadFixture : public ::testing::Test {
protected:
    void startApplication(std::wstring_view scenario) {
        sim_ = edgesim::Simulator::fromScenario(scenario);
        binder_ = std::make_shared<edgesim::InProcessBinder>(sim_);
    }

    // What the objects under test are made with: the binder to the started application (none before
    // startApplication, so binding fails) and the drive table.
    std::shared_ptr<AutomationBinder> binder() const { return binder_; }
    std::shared_ptr<FileSystem> drives() const { return drives_; }

    edgesim::Simulator& sim() const { return *sim_; }

    // The calls of the named members in order, each as "<object> <member>(<arguments>)".
    std::vector<std::wstring> callsOf(std::initializer_list<std::wstring_view> members) const {
        std::vector<std::wstring> out;
        for (const auto& c : sim_->calls()) {
            for (auto m : members) {
                if (c.member != m || c.kind == edgesim::CallKind::Lookup) continue;
                std::wstring line = c.object + L" " + c.member + L"(";
                for (size_t i = 0; i < c.arguments.size(); ++i) line += (i ? L", " : L"") + c.arguments[i];
                out.push_back(line + L")");
            }
        }
        return out;
    }

    size_t bindings() const {
        size_t n = 0;
        for (const auto& c : sim_->calls()) n += c.kind == edgesim::CallKind::Bind ? 1 : 0;
        return n;
    }

    std::vector<std::wstring> openDocumentNames() const {
        std::vector<std::wstring> out;
        for (const auto& d : sim_->documents()) out.push_back(d->fullName());
        return out;
    }

private:
    std::shared_ptr<FileSystem> drives_ = std::make_shared<test::DriveTableFileSystem>(std::vector<test::TableDrive>{
        {L'C', DriveType::Fixed, L""}, {L'Z', DriveType::Network, L"\\\\srv\\share"}});
    std::shared_ptr<edgesim::Simulator> sim_;
    std::shared_ptr<AutomationBinder> binder_;
};

// A scenario of a running application with these documents open, in this order
// (an empty name is an unsaved new document), and no file on disk.
inline std::wstring runningWith(const std::vector<std::pair<std::wstring, int32_t>>& documents,
                                std::wstring_view extra = {}) {
    std::wstring s = L"running yes\n";
    for (const auto& [name, type] : documents)
        s += L"document " + name + L"\ntype " + std::to_wstring(type) + L"\nend\n";
    return s + std::wstring(extra);
}

}  // namespace korvane::test
