// A file read byte by byte through a buffer, with the failures of opening
// and reading it raised as I/O errors carrying the texts users see.
#pragma once

#include "platform/Exception.h"

#include <cstddef>
#include <string>
#include <vector>

namespace zl {

class EInOutError : public Exception {
public:
    using Exception::Exception;
};

// The text for a failure with system error number `error`: "File not found",
// "File access denied", "Too many open files", "Invalid filename", else
// "I/O error N".
std::string IoErrorMessage(int error);

class InputFile {
public:
    // Opens `path` for reading; raises EInOutError when it cannot.
    explicit InputFile(const std::string& path);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // True at the physical end of the file; raises EInOutError when the
    // next bytes cannot be read.
    bool AtEnd() { return next_ == end_ && !Refill(); }
    // The next byte; only after AtEnd() said false.
    unsigned char Peek() const { return static_cast<unsigned char>(*next_); }
    unsigned char Read() { return static_cast<unsigned char>(*next_++); }
    // The bytes already read ahead and not yet taken, `count` of them; Skip
    // takes the first `count` of those.
    const unsigned char* Ahead(std::size_t& count) const {
        count = static_cast<std::size_t>(end_ - next_);
        return reinterpret_cast<const unsigned char*>(next_);
    }
    void Skip(std::size_t count) { next_ += count; }
    // Closes the file; raises EInOutError when closing fails.
    void Close();

private:
    bool Refill();

    int fd_ = -1;
    std::vector<char> buffer_;
    const char* next_ = nullptr;
    const char* end_ = nullptr;
};

} // namespace zl
