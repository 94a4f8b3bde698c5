#include "engine/CancelSignal.h"

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace zl {

CancelSignal::CancelSignal() {
#ifndef _WIN32
    int ends[2];
    if (::pipe(ends) != 0)
        return; // no wake-up: reads see the request between them
    for (int fd : ends)
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    ::fcntl(ends[1], F_SETFL, O_NONBLOCK);
    wakeRead_ = OwnedDescriptor(ends[0]);
    wakeWrite_ = OwnedDescriptor(ends[1]);
#endif
}

void CancelSignal::Raise() {
    if (raised_.exchange(true))
        return;
#ifndef _WIN32
    // One byte, never read: the read end stays readable from now on.
    if (wakeWrite_.Get() >= 0) {
        const char byte = 1;
        [[maybe_unused]] const auto written = ::write(wakeWrite_.Get(), &byte, 1);
    }
#endif
}

void CancelSignal::ThrowIfRaised() const {
    if (Raised())
        throw Cancelled();
}

} // namespace zl
