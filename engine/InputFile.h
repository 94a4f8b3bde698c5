// An input read byte by byte through a buffer that its source fills a block
// at a time; the failures of opening and reading it are raised as I/O
// errors carrying the texts users see.
#pragma once

#include "engine/InputSource.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zl {

class InputFile {
public:
    // Opens the file `path` for reading; raises InputFailure when it cannot.
    explicit InputFile(const std::string& path);
    // Reads through `source`, which is already open.
    explicit InputFile(std::unique_ptr<InputSource> source);

    // True at the physical end of the input; raises InputFailure when the
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
    // How many bytes of the input were taken: the offset of the next one.
    std::uint64_t Position() const { return read_ - static_cast<std::uint64_t>(end_ - next_); }
    // Reads more until at least `count` bytes are ahead, keeping those not
    // yet taken; false when the input ends first or `count` exceeds the
    // buffer. Raises InputFailure when the bytes cannot be read.
    bool EnsureAhead(std::size_t count);
    // Closes the input; raises InputFailure when closing fails.
    void Close();

private:
    bool Refill();

    std::unique_ptr<InputSource> source_;
    std::vector<char> buffer_;
    const char* next_ = nullptr;
    const char* end_ = nullptr;
    std::uint64_t read_ = 0; // from the source, in all
};

} // namespace zl
