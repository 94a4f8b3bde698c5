// Where a stream of bytes goes: a print job, memory. One call per piece;
// failures raise. Writers that go a byte at a time stay fast: a one-byte
// write goes straight into the room a sink offers, and only the rest costs
// a virtual call.
#pragma once

#include <cstdint>

namespace zl {

// Room in a buffer for bytes still to come: from `next` up to `limit`.
struct ByteWindow {
    char* next = nullptr;
    char* limit = nullptr;
};

class ByteSink {
public:
    virtual ~ByteSink() = default;
    ByteSink(const ByteSink&) = delete;
    ByteSink& operator=(const ByteSink&) = delete;

    // Hands `count` bytes to the sink, or raises.
    void Write(const void* data, std::int32_t count) {
        if (count == 1 && window_ && window_->next < window_->limit) {
            *window_->next++ = *static_cast<const char*>(data);
            return;
        }
        WriteThrough(data, count);
    }

protected:
    ByteSink() = default;

    // Room for one-byte writes, or none (null); it must stay valid while it
    // is offered.
    void OfferWindow(ByteWindow* window) { window_ = window; }
    // Every write the offered room does not take.
    virtual void WriteThrough(const void* data, std::int32_t count) = 0;

private:
    ByteWindow* window_ = nullptr;
};

} // namespace zl
