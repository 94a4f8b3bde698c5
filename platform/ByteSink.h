// Where a stream of bytes goes: a print job, memory, a renderer. One call per
// piece; failures raise. Writers hand over runs of bytes, not single bytes.
//
// A sink that gathers bytes in a buffer may lend its free part to Put, which
// then copies small pieces in place without a call; what is put there counts
// as written.
#pragma once

#include <cstdint>
#include <cstring>

namespace zl {

class ByteSink {
public:
    virtual ~ByteSink() = default;
    ByteSink(const ByteSink&) = delete;
    ByteSink& operator=(const ByteSink&) = delete;

    // Hands `count` bytes to the sink, or raises.
    virtual void Write(const void* data, std::int32_t count) = 0;

    // The same as Write, into the lent buffer while it has room.
    void Put(const void* data, std::int32_t count) {
        if (count > 0 && count <= lentEnd_ - lentNext_) {
            CopyBytes(lentNext_, static_cast<const char*>(data), count);
            lentNext_ += count;
        } else {
            Write(data, count);
        }
    }

    // For writers that store pieces in place: the lent buffer's free part,
    // [next, end). Stores may go anywhere in it; Keep(end) then takes what
    // lies before `end` as written.
    struct Room {
        char* next;
        char* end;
    };
    Room Lent() const { return {lentNext_, lentEnd_}; }
    void Keep(char* end) { lentNext_ = end; }

protected:
    ByteSink() = default;

    // Lends [next, end) to Put; an empty range (the start) lends nothing.
    void Lend(char* next, char* end) {
        lentNext_ = next;
        lentEnd_ = end;
    }
    // Where Put goes on in the lent range.
    char* LentNext() const { return lentNext_; }

private:
    // memcpy in place, for the pieces writers put: each size class in
    // fixed-size copies, the last of which ends where the piece ends and may
    // overlap the one before.
    static void CopyBytes(char* to, const char* from, std::int32_t count) {
        const auto size = static_cast<std::size_t>(count);
        if (size > 32) {
            // Up to 64 bytes in four copies, whatever the size: a loop's
            // end would be mispredicted with every size.
            CopyFixed<16>(to, from);
            CopyFixed<16>(to + 16, from + 16);
            std::size_t done = 32;
            for (; done + 32 < size; done += 16)
                CopyFixed<16>(to + done, from + done);
            CopyFixed<16>(to + size - 32, from + size - 32);
            CopyFixed<16>(to + size - 16, from + size - 16);
        } else if (size >= 16) {
            CopyFixed<16>(to, from);
            CopyFixed<16>(to + size - 16, from + size - 16);
        } else if (size >= 8) {
            CopyFixed<8>(to, from);
            CopyFixed<8>(to + size - 8, from + size - 8);
        } else if (size >= 4) {
            CopyFixed<4>(to, from);
            CopyFixed<4>(to + size - 4, from + size - 4);
        } else { // 1 to 3
            to[0] = from[0];
            to[size / 2] = from[size / 2];
            to[size - 1] = from[size - 1];
        }
    }
    template <std::size_t N> static void CopyFixed(char* to, const char* from) {
        std::memcpy(to, from, N);
    }

    char* lentNext_ = nullptr;
    char* lentEnd_ = nullptr;
};

} // namespace zl
