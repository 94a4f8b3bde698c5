// A request, from any thread, that a listing being composed stop: the input
// it reads raises Cancelled at its next read, and one waiting for bytes that
// do not come (a FIFO, a slow share) is woken to do so. Unlike a stop signal
// it ends only the run it is given to, not the program.
#pragma once

#include "platform/Exception.h"
#include "platform/OwnedDescriptor.h"

#include <atomic>

namespace zl {

// A listing stopped at the user's request.
class Cancelled : public Exception {
public:
    Cancelled() : Exception("Cancelled") {}
};

class CancelSignal {
public:
    CancelSignal();
    // Inputs keep a pointer to it.
    CancelSignal(const CancelSignal&) = delete;
    CancelSignal& operator=(const CancelSignal&) = delete;

    // Asks for the stop; any thread may call it, any number of times.
    void Raise();
    bool Raised() const { return raised_.load(); }
    // Raises Cancelled once the stop was asked for.
    void ThrowIfRaised() const;
    // A descriptor that becomes readable once the stop was asked for, to
    // wait on beside an input's; -1 where the system offers none (Windows),
    // where inputs see the request only between their reads.
    int WakeDescriptor() const { return wakeRead_.Get(); }

private:
    std::atomic<bool> raised_{false};
    OwnedDescriptor wakeRead_, wakeWrite_; // a pipe's ends
};

} // namespace zl
