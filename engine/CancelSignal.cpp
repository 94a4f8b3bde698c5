#include "engine/CancelSignal.h"

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace zl {

CancelSignal::CancelSignal() {
#ifndef _WIN32
    if (::pipe(wake_) != 0) {
        wake_[0] = wake_[1] = -1; // no wake-up: reads see the request between them
        return;
    }
    for (int fd : wake_)
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    ::fcntl(wake_[1], F_SETFL, O_NONBLOCK);
#endif
}

CancelSignal::~CancelSignal() {
#ifndef _WIN32
    for (int fd : wake_) {
        if (fd >= 0)
            ::close(fd);
    }
#endif
}

void CancelSignal::Raise() {
    if (raised_.exchange(true))
        return;
#ifndef _WIN32
    // One byte, never read: the read end stays readable from now on.
    if (wake_[1] >= 0) {
        const char byte = 1;
        [[maybe_unused]] const auto written = ::write(wake_[1], &byte, 1);
    }
#endif
}

void CancelSignal::ThrowIfRaised() const {
    if (Raised())
        throw Cancelled();
}

} // namespace zl
