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
#include "files/FileSystem.h"
#include "model/Simulator.h"

namespace korvane::testing {

// Only the drive table matters to the UNC conversion; no test here touches a file.
class TwoDrives : public FileSystem {
public:
    bool fileExists(const std::wstring&) override { return false; }
    bool folderExists(const std::wstring&) override { return false; }
    std::wstring driveName(const std::wstring&) override { return L""; }
    std::vector<DriveEntry> drives() override { return {{L"C", DriveType::Fixed}, {L"Z", DriveType::Network}}; }
    std::wstring shareName(const std::wstring& letter) override {
        if (letter == L"Z") return L"\\\\srv\\share";
        raiseRuntimeError(rt::PathNotFound);
    }
    std::wstring specialFolder(int32_t) override { return L"C:\\Temp"; }
    int64_t fileSize(const std::wstring&) override { raiseRuntimeError(rt::FileNotFound); }
    AutomationDate dateLastModified(const std::wstring&) override { raiseRuntimeError(rt::FileNotFound); }
    void createFolder(const std::wstring&) override { raiseRuntimeError(rt::PermissionDenied); }
    void moveFile(const std::wstring&, const std::wstring&) override { raiseRuntimeError(rt::FileNotFound); }
    void deleteFile(const std::wstring&, bool) override { raiseRuntimeError(rt::FileNotFound); }
    void deleteFolder(const std::wstring&, bool) override { raiseRuntimeError(rt::PathNotFound); }
    void copyFile(const std::wstring&, const std::wstring&, bool) override { raiseRuntimeError(rt::FileNotFound); }
    std::vector<std::wstring> fileNames(const std::wstring&) override { return {}; }
    std::vector<std::wstring> subfolderNames(const std::wstring&) override { return {}; }
};

class DrawingFixture : public ::testing::Test {
protected:
    DrawingFixture() : drives_([] { return std::make_shared<TwoDrives>(); }) {}

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
