#include "printing/FileJob.h"

#include "platform/FileWriting.h"
#include "platform/Interruption.h"

#include <cerrno>

namespace zl {

bool FileJob::Deliver(const char* data, std::size_t count) {
    std::uint64_t done = 0;
    const int err = WriteAll(fd_, data, count, done);
    written_ += done;
    if (err == EINTR)
        ThrowIfStopped(); // a stop signal ends the run, it is no write failure
    if (err != 0)
        SetCause(FailureCause::OfSystemError(err));
    return err == 0;
}

} // namespace zl
