#pragma once
// Common ground of the batch tests: a scratch tree with the template share \\fileserver\daten (also
// drive Y:), EdgeSim in process reading and saving its documents in that tree, a process table with
// one Solid Edge, and a console that keeps what the batch printed.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "automation/AutomationBinder.h"
#include "automation/TextConvert.h"
#include "batch/BatchConsole.h"
#include "batch/BatchRun.h"
#include "batch/DrawingResult.h"
#include "batch/RunRecord.h"
#include "batch/posix/PosixBatchFiles.h"
#include "files/posix/ScratchDrives.h"
#include "model/DocumentStore.h"
#include "model/Simulator.h"
#include "processes/FakeProcessTable.h"

namespace korvane::test {

inline const std::wstring kShare = L"\\\\fileserver\\daten";
inline const std::wstring kFolder = kShare + L"\\Zeichnungen";
inline const std::wstring kTemplate = kShare + L"\\Admin\\Vorlagen\\SeV12\\normal.dft";

// The template: A4 (size 4) and A3 (size 8), each with its new frame.
inline const char kTemplateText[] =
    "type 2\npropertyset Custom\nsheet working 8 Blatt1\n"
    "sheet background 4 Vorlage A4\n  item Rahmen A4 neu\n"
    "sheet background 8 Vorlage A3\n  item Rahmen A3 neu\n";

// A drawing with background sheets of the given sizes, each with its old frame.
inline std::string drawingText(const std::vector<int>& sizes) {
    std::string text = "type 2\npropertyset Custom\nsheet working 8 Blatt1\n  item Ansicht\n";
    for (size_t i = 0; i < sizes.size(); ++i) {
        const std::string size = std::to_string(sizes[i]);
        text += "sheet background " + size + " Hintergrund " + std::to_string(i + 1) + "\n  item Rahmen " + size +
                " alt\n";
    }
    return text;
}

// EdgeSim's files in the scratch tree; a path named in failWrites is written halfway and then reported
// as not written, as a save that breaks off.
class ScratchStore : public edgesim::DocumentStore {
public:
    explicit ScratchStore(const ScratchDrives& drives) : drives_(drives) {}
    std::optional<std::wstring> read(std::wstring_view path) override;
    bool write(std::wstring_view path, std::wstring_view text) override;
    std::vector<std::wstring> failWrites;

private:
    const ScratchDrives& drives_;
};

// The process table of the machine the simulated applications run on: an instance started through the
// binder gets a process of its own, which is gone once the instance quit, and ending that process ends
// the instance abruptly (any thread).
class SimProcesses : public FakeProcessTable {
public:
    void started(const std::shared_ptr<edgesim::Simulator>& instance);
    std::optional<std::vector<ProcessEntry>> snapshot() override;
    void terminate(uint32_t processId, uint32_t exitCode) override;

private:
    std::map<uint32_t, std::shared_ptr<edgesim::Simulator>> instances_;
    uint32_t next_ = 300;
};

class CapturedConsole : public BatchConsole {
public:
    void progress(const std::wstring& text) override { progressLines.push_back(text); }
    void line(const std::wstring& text) override { lines.push_back(text); }
    std::vector<std::wstring> progressLines;
    std::vector<std::wstring> lines;
    std::wstring all() const {
        std::wstring out;
        for (const auto& l : lines) out += l + L"\n";
        return out;
    }
};

class BatchFixture : public ::testing::Test {
public:
    BatchFixture();

    // Starts the application from a scenario; later simulators take over when the one before died.
    void startApplication(const std::wstring& scenario = L"running yes\n");
    edgesim::Simulator& sim() const { return *sims_.front(); }
    // The first simulator that neither died nor quit (the last one when all did).
    const std::shared_ptr<edgesim::Simulator>& current() const;

    std::wstring drawing(const std::wstring& relative, const std::string& text);
    std::string bytesOf(const std::wstring& path) const;
    bool exists(const std::wstring& path) const;
    void setReadOnly(const std::wstring& path) const;

    // Runs the batch with these arguments, /bericht:reportFile and, unless it is empty, /sicherung:backupFolder
    // added.
    int32_t runBatch(std::vector<std::wstring> arguments, std::function<bool()> stop = [] { return false; });
    // Runs the program with exactly these arguments.
    int32_t runProgram(const std::vector<std::wstring>& arguments, std::function<bool()> stop = [] { return false; });
    std::vector<DrawingResult> report() const;
    // The record a run over kFolder with this fixture's template and backup folder writes into its report,
    // for reports of earlier runs that a test lays out.
    RunRecord earlierRun() const;
    // Where the batch puts the backup of a drawing: its path mirrored below the backup folder.
    std::wstring backupOf(const std::wstring& path) const;
    DrawingResult rowOf(const std::wstring& path) const;
    // How often the application saved the document of that full name.
    size_t saves(const std::wstring& fullName) const;

    std::wstring reportFile = kShare + L"\\Bericht.csv";
    std::wstring backupFolder = kShare + L"\\Sicherung";
    ScratchDrives scratch;
    std::shared_ptr<ScratchStore> store;
    std::shared_ptr<SimProcesses> processes = std::make_shared<SimProcesses>();
    CapturedConsole console;
    // Whether this run may have the CAD application (false: another batch holds it).
    std::function<bool()> claim = [] { return true; };
    // Called after every drawing the run worked on, with their count so far (none: nothing).
    std::function<void(size_t)> afterDrawing;
    // The trace the run reports to (none: the plain run).
    BatchTrace* trace = nullptr;
    // The exit code the batch ended its own process with; the ending lets every hanging call and waiting
    // prompt go on, so that the run returns.
    std::optional<int32_t> endedWith;
    std::vector<std::shared_ptr<edgesim::Simulator>> sims_;
};

}  // namespace korvane::test
