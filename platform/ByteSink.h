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
    // memcpy, with the short pieces that most writers put copied in place:
    // two copies of 8 (or 4) bytes that may overlap cover 8 to 16 (4 to 8).
    static void CopyBytes(char* to, const char* from, std::int32_t count) {
        const auto size = static_cast<std::size_t>(count);
        if (size >= 8 && size <= 16) {
            CopyFixed<8>(to, from);
            CopyFixed<8>(to + size - 8, from + size - 8);
        } else if (size >= 4 && size < 8) {
            CopyFixed<4>(to, from);
            CopyFixed<4>(to + size - 4, from + size - 4);
        } else {
            std::memcpy(to, from, size);
        }
    }
    template <std::size_t N> static void CopyFixed(char* to, const char* from) {
        std::memcpy(to, from, N);
    }

    char* lentNext_ = nullptr;
    char* lentEnd_ = nullptr;
};

} // namespace zl
