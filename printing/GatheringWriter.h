// Gathers small writes into large deliveries. A failed delivery is sticky:
// every later write fails too, so no byte is ever dropped unnoticed.
#pragma once

#include "platform/ByteSink.h"

#include <cstddef>
#include <cstring>
#include <vector>

namespace zl {

class GatheringWriter {
public:
    static constexpr std::size_t kDefaultCapacity = 64 * 1024;

    explicit GatheringWriter(std::size_t capacity = kDefaultCapacity)
        : buffer_(capacity), end_(buffer_.data() + capacity) {
        window_.next = window_.limit = buffer_.data();
    }
    virtual ~GatheringWriter() = default;

    // Takes a single byte while writes are accepted and it fits; false for
    // anything else, which then goes to Append. Kept to a few instructions:
    // some callers write one byte at a time.
    bool TryAppendByte(const void* data, std::ptrdiff_t count) {
        if (count != 1 || window_.next >= window_.limit)
            return false;
        *window_.next++ = *static_cast<const char*>(data);
        return true;
    }

    // The free part of the buffer while writes are accepted, empty otherwise.
    ByteWindow* Window() { return &window_; }

    // Accepts `count` bytes; false while not accepting or once any delivery
    // has failed.
    bool Append(const void* data, std::size_t count);

    // Delivers what is gathered; false when this or an earlier delivery failed.
    bool Flush();

    bool Failed() const { return failed_; }

protected:
    // Starts accepting writes afresh, forgetting what is gathered and any
    // failure, or stops accepting them.
    void Accept(bool accepting);

    // Hands bytes on to their destination; false on failure.
    virtual bool Deliver(const char* data, std::size_t count) = 0;

private:
    void Fail();

    std::vector<char> buffer_;
    // next: where the next byte goes; limit: end_ while writes are accepted,
    // else the buffer's start.
    ByteWindow window_;
    char* end_; // the end of the buffer
    bool accepting_ = false;
    bool failed_ = false;
};

} // namespace zl
