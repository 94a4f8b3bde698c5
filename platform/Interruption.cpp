#include "platform/Interruption.h"

#include <csignal>
#include <string>

#ifndef _WIN32
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#endif

namespace zl {

namespace {

volatile std::sig_atomic_t stopSignal = 0;

#ifndef _WIN32
// The write end of the wake-up pipe, -1 until it exists.
volatile std::sig_atomic_t wakeWrite = -1;

// One byte into the wake-up pipe: its read end stays readable until the
// request is forgotten. Safe in a signal handler; never blocks.
void WakeWaits() {
    if (const int fd = wakeWrite; fd >= 0) {
        const char byte = 1;
        const int saved = errno;
        [[maybe_unused]] const auto written = ::write(fd, &byte, 1);
        errno = saved;
    }
}

// The wake-up pipe's read end, made once, not inherited, neither end
// blocking.
int WakeRead() {
    static const int readEnd = [] {
        int ends[2];
        if (::pipe(ends) != 0)
            return -1;
        for (int fd : ends) {
            ::fcntl(fd, F_SETFD, FD_CLOEXEC);
            ::fcntl(fd, F_SETFL, O_NONBLOCK);
        }
        wakeWrite = ends[1];
        return ends[0];
    }();
    return readEnd;
}
#else
void WakeWaits() {}
int WakeRead() {
    return -1;
}
#endif

extern "C" void NoteStopSignal(int signal) {
    stopSignal = signal;
    WakeWaits();
}

} // namespace

Interrupted::Interrupted(int signal)
    : Exception("Interrupted by signal " + std::to_string(signal)), signal_(signal) {}

void CatchStopSignals() {
    WakeRead(); // made before any signal can want it
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
    WakeRead();
    stopSignal = signal;
    WakeWaits();
}

void ClearStopRequest() {
    stopSignal = 0;
#ifndef _WIN32
    char bytes[64];
    while (::read(WakeRead(), bytes, sizeof bytes) > 0) {
    }
#endif
}

#ifndef _WIN32
void WaitForDescriptor(int fd, short events, int otherWake) {
    pollfd waits[3] = {{fd, events, 0}, {WakeRead(), POLLIN, 0}, {otherWake, POLLIN, 0}};
    // An error or a hang-up of `fd` also ends the wait: what follows tells.
    while (::poll(waits, otherWake >= 0 ? 3 : 2, -1) < 0) {
        if (errno != EINTR && errno != EAGAIN)
            break;
        ThrowIfStopped();
    }
    ThrowIfStopped();
}

bool PauseUnlessWoken(std::chrono::milliseconds time, int otherWake) {
    const auto end = std::chrono::steady_clock::now() + time;
    pollfd waits[2] = {{WakeRead(), POLLIN, 0}, {otherWake, POLLIN, 0}};
    for (;;) {
        ThrowIfStopped();
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            end - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return true;
        if (::poll(waits, otherWake >= 0 ? 2 : 1, static_cast<int>(left.count())) > 0 &&
            waits[1].revents != 0)
            return false;
    }
}
#endif

} // namespace zl
