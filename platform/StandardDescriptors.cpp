#include "platform/StandardDescriptors.h"

#ifndef _WIN32
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace zl {

bool ReserveStandardDescriptors() {
#ifdef _WIN32
    return false;
#else
    bool inputClosed = false;
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        // The lowest free number: this one, as those below are open.
        const int opened = ::open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
        if (opened != fd && opened >= 0)
            ::close(opened);
        inputClosed = inputClosed || fd == 0;
    }
    return inputClosed;
#endif
}

} // namespace zl
