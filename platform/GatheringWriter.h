// Gathers small writes into large deliveries. A failed delivery is sticky:
// every later write fails too, so no byte is ever dropped unnoticed.
#pragma once

#include <cstddef>
#include <cstring>
#include <vector>

namespace zl {

class GatheringWriter {
public:
    static constexpr std::size_t kDefaultCapacity = 64 * 1024;

    explicit GatheringWriter(std::size_t capacity = kDefaultCapacity)
        : buffer_(capacity), next_(buffer_.data()), end_(buffer_.data() + capacity) {}
    virtual ~GatheringWriter() = default;

    // Accepts `count` bytes; false once any delivery has failed.
    bool Append(const void* data, std::size_t count) {
        if (failed_)
            return false;
        if (count <= static_cast<std::size_t>(end_ - next_)) {
            if (count == 1) // the common single byte, without a call to memcpy
                *next_ = *static_cast<const char*>(data);
            else if (count > 0)
                std::memcpy(next_, data, count);
            next_ += count;
            return true;
        }
        return AppendSlow(static_cast<const char*>(data), count);
    }

    // Delivers what is gathered; false when this or an earlier delivery failed.
    bool Flush();

    bool Failed() const { return failed_; }
    // Forgets what is gathered and any failure, for a new document.
    void Reset() {
        next_ = buffer_.data();
        failed_ = false;
    }

protected:
    // Hands bytes on to their destination; false on failure.
    virtual bool Deliver(const char* data, std::size_t count) = 0;

private:
    bool AppendSlow(const char* data, std::size_t count);

    std::vector<char> buffer_;
    char* next_; // where the next byte goes
    char* end_;
    bool failed_ = false;
};

} // namespace zl
