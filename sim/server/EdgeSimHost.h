#pragma once
// One run of EdgeSim.exe: loads the scenario, serves the application object to COM callers until the
// application quits or the host window is closed, then writes the final state file.
//
// The state file is the model's state text followed by the COM host's own block:
//   com
//     objects <n>        served objects still referenced by callers when the server ended
//     references <n>     the references callers held on them
// At an abrupt end (scripted "crash") the state is written at the crashing call, with the block
// "com" reporting "ended-abruptly", and the process is terminated at once. At a call that hangs
// (scripted "hang") the state is written with the block "com" reporting "hanging"; the call never
// returns, so the process serves nothing more and writes nothing more until it is ended from outside.
// A prompt that waits for an answer (alerts on) writes the state with "com" reporting "prompting" and
// blocks likewise until SimControl answer-prompt answers it or the process is ended.
//
// With a times file (ServerOptions::times) the server appends, at its normal or abrupt end, the line
//   served <calls> <microseconds inside them> peak-working-set-kib <KiB>
// one per instance, so that a client that starts several in turn finds them all.
#include <memory>
#include <string>

#include "model/Simulator.h"
#include "server/ServerLog.h"
#include "server/ServerOptions.h"

namespace edgesim::server {

class EdgeSimHost {
public:
    explicit EdgeSimHost(ServerOptions options);
    // Returns the process exit code: 0 after a normal end, 1 when the server could not start.
    int run();

private:
    void serve();
    void writeState(const std::wstring& comBlock);
    void writeTimes();

    ServerOptions options_;
    ServerLog log_;
    std::shared_ptr<Simulator> simulator_;
};

}  // namespace edgesim::server
