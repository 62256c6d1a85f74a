// Presses Ctrl+C in the console of a program once its report shows enough finished drawings, the way
// a user stops korvane-stapel.exe (scripts/wine/run-batch-e2e, case ctrl-c):
//   ConsoleInterrupt.exe REPORT ROWS OUTPUT PROGRAM [ARGS...]
// PROGRAM gets a console of its own, its output goes to OUTPUT. Ctrl+C is sent (from inside that
// console) as soon as REPORT holds ROWS lines that are not "in Arbeit"; then the program has 60 s to
// end. Prints what happened; the exit code is the program's, 124 when it had to be ended.
#include <windows.h>

#include <cstdio>
#include <string>

#include "CommandLine.h"
#include "StartProcess.h"
#include "processes/win32/UniqueHandle.h"

namespace {

// Lines of the report that are finished rows (the header counts as one, as in the e2e script).
int finishedRows(const std::wstring& report) {
    const korvane::UniqueHandle file(CreateFileW(report.c_str(), GENERIC_READ,
                                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                                 OPEN_EXISTING, 0, nullptr));
    if (!file) return 0;
    std::string bytes;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
    int rows = 0;
    size_t start = 0;
    for (size_t end; (end = bytes.find('\n', start)) != std::string::npos; start = end + 1) {
        if (bytes.substr(start, end - start).find(";in Arbeit;") == std::string::npos) ++rows;
    }
    return rows;
}

// Ctrl+C reaches the processes of a console only from a process attached to it.
bool pressCtrlC(DWORD processId) {
    FreeConsole();
    // A program just started may not have its console yet: a few tries, 100 ms apart.
    bool attached = false;
    for (int attempt = 0; attempt < 50 && !attached; ++attempt) {
        attached = AttachConsole(processId) != 0;
        if (!attached) Sleep(100);
    }
    if (!attached) {
        std::printf("AttachConsole failed: %lu\n", GetLastError());
        return false;
    }
    SetConsoleCtrlHandler(nullptr, TRUE);  // this process ignores it
    const BOOL sent = GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0);
    const DWORD error = GetLastError();
    FreeConsole();
    if (!sent) std::printf("GenerateConsoleCtrlEvent failed: %lu\n", error);
    return sent != 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 5) {
        std::printf("usage: ConsoleInterrupt REPORT ROWS OUTPUT PROGRAM [ARGS...]\n");
        return 2;
    }
    const std::wstring report = argv[1];
    const int rows = _wtoi(argv[2]);
    const std::wstring command = harness::commandLineOf(argv + 4, argv + argc);

    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    korvane::UniqueHandle output(
        CreateFileW(argv[3], GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr));
    if (!output) {
        std::printf("cannot write %ls\n", argv[3]);
        return 2;
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output.get();
    startup.hStdError = output.get();
    PROCESS_INFORMATION process{};
    if (!harness::startProcess(command, true, CREATE_NEW_CONSOLE, startup, process)) {
        std::printf("cannot start: %lu\n", GetLastError());
        return 2;
    }
    // The program writes through the handle it inherited; this process writes nothing there.
    output.reset();
    const korvane::UniqueHandle thread(process.hThread);
    const korvane::UniqueHandle program(process.hProcess);

    int seen = 0;
    for (int i = 0; i < 2400 && seen < rows; ++i) {  // up to 120 s
        if (WaitForSingleObject(program.get(), 50) == WAIT_OBJECT_0) break;
        seen = finishedRows(report);
    }
    if (seen >= rows) {
        std::printf("Ctrl+C at %d rows: %s\n", seen, pressCtrlC(process.dwProcessId) ? "sent" : "not sent");
    } else {
        std::printf("Ctrl+C not sent: %d rows\n", seen);
    }
    DWORD code = 124;
    if (WaitForSingleObject(program.get(), 60000) == WAIT_OBJECT_0) {
        GetExitCodeProcess(program.get(), &code);
    } else {
        std::printf("no end 60 s after Ctrl+C\n");
        TerminateProcess(program.get(), 124);
    }
    std::printf("exit %lu\n", code);
    std::fflush(stdout);
    return static_cast<int>(code);
}
