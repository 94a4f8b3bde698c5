#include "platform/Interruption.h"

#include <csignal>
#include <string>

namespace zl {

namespace {

volatile std::sig_atomic_t stopSignal = 0;

extern "C" void NoteStopSignal(int signal) {
    stopSignal = signal;
}

} // namespace

Interrupted::Interrupted(int signal)
    : Exception("Interrupted by signal " + std::to_string(signal)), signal_(signal) {}

void CatchStopSignals() {
#ifdef _WIN32
    std::signal(SIGINT, NoteStopSignal);
    std::signal(SIGTERM, NoteStopSignal);
#else
    struct sigaction action {};
    action.sa_handler = NoteStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0; // no SA_RESTART: a blocked read or write returns EINTR
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        sigaction(signal, &action, nullptr);
#endif
}

int StopSignal() {
    return stopSignal;
}

void ThrowIfStopped() {
    if (const int signal = stopSignal)
        throw Interrupted(signal);
}

void RequestStop(int signal) {
    stopSignal = signal;
}

void ClearStopRequest() {
    stopSignal = 0;
}

} // namespace zl
