// A document job whose bytes go to a file descriptor; a failed write names
// its cause in the system's words.
#pragma once

#include "printing/DocumentJob.h"

#include <cstdint>

namespace zl {

class FileJob : public DocumentJob {
protected:
    // Bytes go to `fd` from now on, counted afresh.
    void WriteTo(int fd) {
        fd_ = fd;
        written_ = 0;
    }
    int Fd() const { return fd_; }
    // The bytes written since WriteTo, those of a failed write included.
    std::uint64_t Written() const { return written_; }
    bool Deliver(const char* data, std::size_t count) override;

private:
    int fd_ = -1;
    std::uint64_t written_ = 0;
};

} // namespace zl
