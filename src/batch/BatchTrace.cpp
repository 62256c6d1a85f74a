#include "batch/BatchTrace.h"

#include "cad/MemberIds.h"

namespace korvane {

namespace {

long long microseconds(std::chrono::nanoseconds time) {
    return static_cast<long long>(std::chrono::duration_cast<std::chrono::microseconds>(time).count());
}

}  // namespace

BatchTrace::BatchTrace(std::function<CadCalls()> cadCalls, std::function<void(const std::string&)> write,
                       Stopwatch::Clock now)
    : cadCalls_(std::move(cadCalls)), write_(std::move(write)), backup_(std::move(now)) {}

void BatchTrace::probeRoundTrip(const Object& application, int calls, const char* when) {
    const CadCalls before = cadCalls_();
    for (int i = 0; i < calls; ++i) application.get(member::application::Version);
    const CadCalls after = cadCalls_();
    write_(std::string("round-trip ") + when + " " + std::to_string(after.count - before.count) + " " +
           std::to_string(microseconds(after.inside - before.inside)));
}

void BatchTrace::drawingStarted() {
    started_ = backup_.now();
    cadAtStart_ = cadCalls_();
    backupAtStart_ = backup_.total();
}

void BatchTrace::drawingEnded(size_t number) {
    const std::chrono::nanoseconds wall = backup_.now() - started_;
    const CadCalls cad = cadCalls_();
    write_("drawing " + std::to_string(number) + " " + std::to_string(microseconds(wall)) + " " +
           std::to_string(cad.count - cadAtStart_.count) + " " + std::to_string(microseconds(cad.inside - cadAtStart_.inside)) +
           " " + std::to_string(microseconds(backup_.total() - backupAtStart_)));
}

}  // namespace korvane
