#include "printing/FileJob.h"

#include "platform/FileWriting.h"

namespace zl {

bool FileJob::Deliver(const char* data, std::size_t count) {
    std::uint64_t done = 0;
    const int err = WriteAll(fd_, data, count, done);
    written_ += done;
    if (err != 0)
        SetCause(ErrorText(err));
    return err == 0;
}

} // namespace zl
