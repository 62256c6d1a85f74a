#include "batch/BatchFixture.h"

#include "batch/BackupFolder.h"

#include <sys/stat.h>

#include <fstream>
#include <iterator>

#include "batch/ReportCsv.h"
#include "batch/BatchOptions.h"
#include "model/InProcessBinder.h"

namespace korvane::test {

std::optional<std::wstring> ScratchStore::read(std::wstring_view path) {
    std::ifstream in(drives_.hostPath(std::wstring(path)), std::ios::binary);
    if (!in) return std::nullopt;
    return fromUtf8(std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()));
}

bool ScratchStore::write(std::wstring_view path, std::wstring_view text) {
    std::string bytes = toUtf8(text);
    bool fails = false;
    for (const auto& p : failWrites) fails = fails || equalsIgnoringCase(p, path);
    if (fails) bytes.resize(bytes.size() / 2);
    std::ofstream out(drives_.hostPath(std::wstring(path)), std::ios::binary | std::ios::trunc);
    out << bytes;
    return !fails && static_cast<bool>(out);
}

void SimProcesses::started(const std::shared_ptr<edgesim::Simulator>& instance) {
    for (const auto& [id, known] : instances_)
        if (known == instance) return;
    instances_[next_] = instance;
    entries->push_back({L"Edge.exe", next_++});
}

std::optional<std::vector<ProcessEntry>> SimProcesses::snapshot() {
    auto list = FakeProcessTable::snapshot();
    if (list) {
        std::erase_if(*list, [&](const ProcessEntry& e) {
            const auto instance = instances_.find(e.processId);
            return instance != instances_.end() && instance->second->hasQuit();
        });
    }
    return list;
}

void SimProcesses::terminate(uint32_t processId, uint32_t exitCode) {
    FakeProcessTable::terminate(processId, exitCode);
    const auto instance = instances_.find(processId);
    if (instance == instances_.end()) return;
    instance->second->endAbruptly();
    std::erase_if(*entries, [&](const ProcessEntry& e) { return e.processId == processId; });
}

BatchFixture::BatchFixture() {
    scratch.addShare(kShare);
    scratch.addNetworkDrive(L'Y', kShare);
    scratch.writeFile(kTemplate, kTemplateText);
    scratch.writeFile(kShare + L"\\Admin\\Vorlagen\\SeV12\\EngChinNormal.dft", kTemplateText);
    store = std::make_shared<ScratchStore>(scratch);
    processes->entries = std::vector<ProcessEntry>{{L"explorer.exe", 100}, {L"Edge.exe", 200}};
}

namespace {

// Binds to whichever simulated application runs at the moment of binding, as a program binds to a
// server that may have been restarted since the last time.
class CurrentApplicationBinder : public AutomationBinder {
public:
    explicit CurrentApplicationBinder(BatchFixture& fixture) : fixture_(fixture) {}
    Object getActiveObject(std::wstring_view progId) override {
        return edgesim::InProcessBinder(fixture_.current()).getActiveObject(progId);
    }
    Object createObject(std::wstring_view progId) override {
        const auto instance = fixture_.current();
        Object application = edgesim::InProcessBinder(instance).createObject(progId);
        fixture_.processes->started(instance);
        return application;
    }

private:
    BatchFixture& fixture_;
};

}  // namespace

void BatchFixture::startApplication(const std::wstring& scenario) {
    sims_.push_back(edgesim::Simulator::fromScenario(scenario, store));
}

const std::shared_ptr<edgesim::Simulator>& BatchFixture::current() const {
    for (const auto& s : sims_)
        if (!s->endedAbruptly() && !s->hasQuit()) return s;
    return sims_.back();
}

std::wstring BatchFixture::drawing(const std::wstring& relative, const std::string& text) {
    const std::wstring path = kFolder + L"\\" + relative;
    scratch.writeFile(path, text);
    return path;
}

std::string BatchFixture::bytesOf(const std::wstring& path) const {
    std::ifstream in(scratch.hostPath(path), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool BatchFixture::exists(const std::wstring& path) const {
    struct stat st {};
    return ::stat(scratch.hostPath(path).c_str(), &st) == 0;
}

void BatchFixture::setReadOnly(const std::wstring& path) const { ::chmod(scratch.hostPath(path).c_str(), 0444); }

int32_t BatchFixture::runBatch(std::vector<std::wstring> arguments, std::function<bool()> stop) {
    arguments.push_back(L"/bericht:" + reportFile);
    if (!backupFolder.empty()) arguments.push_back(L"/sicherung:" + backupFolder);
    return runProgram(arguments, std::move(stop));
}

int32_t BatchFixture::runProgram(const std::vector<std::wstring>& arguments, std::function<bool()> stop) {
    const auto parsed = parseBatchOptions(arguments);
    if (const auto* error = std::get_if<OptionsError>(&parsed)) {
        ADD_FAILURE() << toUtf8(error->text);
        return -1;
    }
    PosixBatchFiles contents(scratch.fileSystem());
    PlatformServices services{scratch.fileSystem(), processes, std::make_shared<CurrentApplicationBinder>(*this)};
    BatchEnvironment environment{console, contents, std::move(services), std::move(stop), L"2026-12-06 10-00-00"};
    environment.claimCadApplication = claim;
    environment.trace = trace;
    if (afterDrawing) environment.afterDrawing = afterDrawing;
    environment.endProcess = [this](int32_t code) {
        endedWith = code;
        for (const auto& s : sims_) {
            s->releaseHang();
            s->answerPrompt();
        }
    };
    return korvane::runBatch(std::get<BatchOptions>(parsed), environment);
}

std::vector<DrawingResult> BatchFixture::report() const {
    const auto read = readReport(bytesOf(reportFile));
    if (!read) ADD_FAILURE() << "no report of the batch in " << toUtf8(reportFile);
    return read ? read->rows : std::vector<DrawingResult>{};
}

RunRecord BatchFixture::earlierRun() const {
    RunRecord run;
    run.folders = {kFolder};
    run.templatePath = kTemplate;
    run.backupFolder = backupFolder;
    return run;
}

std::wstring BatchFixture::backupOf(const std::wstring& path) const { return backupPathOf(backupFolder, path); }

DrawingResult BatchFixture::rowOf(const std::wstring& path) const {
    for (const auto& r : report())
        if (r.path == path) return r;
    ADD_FAILURE() << "no report row for " << toUtf8(path);
    return {};
}

size_t BatchFixture::saves(const std::wstring& fullName) const {
    size_t n = 0;
    for (const auto& s : sims_)
        for (const auto& c : s->calls())
            n += c.object == L"Document(" + fullName + L")" && c.member == L"Save" && c.kind == edgesim::CallKind::Call && c.ok ? 1u : 0u;
    return n;
}

}  // namespace korvane::test
