// Stopping the program cleanly on SIGINT, SIGTERM and SIGHUP: the handlers
// only note the signal; the code that writes a job looks at the note, cancels
// the job and lets the program end with status 128 + the signal's number.
#pragma once

#include "platform/Exception.h"

#include <chrono>

namespace zl {

// A run stopped by a signal.
class Interrupted : public Exception {
public:
    explicit Interrupted(int signal);
    int Signal() const { return signal_; }

private:
    int signal_;
};

// Installs the handlers. System calls that wait are interrupted by the
// signals rather than restarted, so a blocked write ends early.
void CatchStopSignals();
// The signal that asked the program to stop, 0 while none has.
int StopSignal();
// Raises Interrupted when a signal asked the program to stop.
void ThrowIfStopped();
// Notes `signal` as if it had arrived; for the window's own Exit and tests.
void RequestStop(int signal);
// Forgets a noted signal.
void ClearStopRequest();

#ifndef _WIN32
// Waits, without a time limit, until `fd` has one of the poll(2) `events`
// (or an error or hang-up), or `otherWake` (-1: none) becomes readable, or
// a stop signal arrives: that raises Interrupted.
void WaitForDescriptor(int fd, short events, int otherWake = -1);
// Waits `time`, unless `otherWake` (-1: none) becomes readable first (then
// false) or a stop signal arrives (that raises Interrupted).
bool PauseUnlessWoken(std::chrono::milliseconds time, int otherWake);
#endif

} // namespace zl
