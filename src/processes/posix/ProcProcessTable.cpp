#include "processes/posix/ProcProcessTable.h"

#include <signal.h>
#include <sys/types.h>

#include <algorithm>
#include <cstdint>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <utility>

#include "automation/TextConvert.h"

namespace korvane {

namespace {

bool isProcessDirectory(const std::string& name) {
    return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c)) != 0;
    });
}

std::string executableName(const std::filesystem::path& dir) {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink(dir / "exe", ec);
    if (!ec && exe.has_filename()) {
        std::string name = exe.filename().string();
        // A replaced executable reads as "name (deleted)".
        constexpr std::string_view deleted = " (deleted)";
        if (name.size() > deleted.size() && name.ends_with(deleted)) name.resize(name.size() - deleted.size());
        return name;
    }
    std::ifstream comm(dir / "comm");
    std::string name;
    std::getline(comm, name);
    return name;
}

}  // namespace

ProcProcessTable::ProcProcessTable(SignalSender send) : send_(std::move(send)) {
    if (!send_) send_ = [](int processId, int signalNumber) { return ::kill(processId, signalNumber); };
}

std::optional<std::vector<ProcessEntry>> ProcProcessTable::snapshot() {
    std::error_code ec;
    std::filesystem::directory_iterator it("/proc", ec);
    if (ec) return std::nullopt;
    std::vector<ProcessEntry> entries;
    for (; it != std::filesystem::directory_iterator(); it.increment(ec)) {
        if (ec) return std::nullopt;
        const std::string name = it->path().filename().string();
        if (!isProcessDirectory(name)) continue;
        std::string exe = executableName(it->path());
        // A process that ended between the listing and the read leaves no name behind.
        if (exe.empty()) continue;
        const auto id = std::stoul(name);
        entries.push_back({fromUtf8(exe), static_cast<uint32_t>(id)});
    }
    std::sort(entries.begin(), entries.end(),
              [](const ProcessEntry& a, const ProcessEntry& b) { return a.processId < b.processId; });
    return entries;
}

void ProcProcessTable::terminate(uint32_t processId, uint32_t /*exitCode*/) {
    // kill() reads 0 and negative ids as process groups (-1: every process we may signal); such ids
    // name no single process, so they end nothing, as OpenProcess would fail for them.
    if (processId == 0 || processId > static_cast<uint32_t>(INT32_MAX)) return;
    send_(static_cast<int>(processId), SIGKILL);
}

std::shared_ptr<ProcessTable> defaultProcessTable() { return std::make_shared<ProcProcessTable>(); }

}  // namespace korvane
