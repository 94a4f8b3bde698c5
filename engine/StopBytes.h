// The bytes of a listing's input that end a run of ordinary characters, and
// a fast search for the next of them. Printable ASCII is the bulk of every
// text file, so when none of it stops a run the search passes it sixteen
// bytes at a time (the compiler's vector types: SSE2 on x86, NEON on ARM).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace zl {

class StopBytes {
public:
    // Each byte stops a run when `stops` says so for it.
    void Assign(const std::array<bool, 256>& stops) {
        stops_ = stops;
        printableNeverStops_ = true;
        for (unsigned printable = kFirstPrintable; printable <= kLastPrintable; ++printable)
            printableNeverStops_ = printableNeverStops_ && !stops_[printable];
    }
    bool Stops(unsigned char byte) const { return stops_[byte]; }

    // The first byte of [next, end) that stops a run; `end` when none does.
    const unsigned char* FindIn(const unsigned char* next, const unsigned char* end) const {
        if (printableNeverStops_) {
            while (end - next >= kBlock) {
                std::uint64_t halves[2];
                NotPrintable(next, halves);
                if ((halves[0] | halves[1]) == 0) {
                    next += kBlock;
                    continue;
                }
                next += halves[0] ? FirstMarked(halves[0]) : kBlock / 2 + FirstMarked(halves[1]);
                if (stops_[*next])
                    return next;
                ++next;
            }
        }
        while (next != end && !stops_[*next])
            ++next;
        return next;
    }

private:
    static constexpr signed char kFirstPrintable = 0x20;
    static constexpr signed char kLastPrintable = 0x7e;
    static constexpr std::ptrdiff_t kBlock = 16;
    using Block = signed char __attribute__((vector_size(kBlock)));

    // The sixteen bytes at `bytes` as two halves in memory order, each byte
    // 0xff that is not printable ASCII and 0 that is. As signed bytes, those
    // from 0x80 up are negative, so below the first printable.
    static void NotPrintable(const unsigned char* bytes, std::uint64_t (&halves)[2]) {
        Block block;
        std::memcpy(&block, bytes, sizeof block);
        const auto others = (block < kFirstPrintable) | (block > kLastPrintable);
        static_assert(sizeof others == sizeof halves);
        std::memcpy(halves, &others, sizeof halves);
    }

    // The index of the first byte in memory that is set in `marks`.
    static std::ptrdiff_t FirstMarked(std::uint64_t marks) {
#if __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
        return __builtin_ctzll(marks) / 8;
#else
        return __builtin_clzll(marks) / 8;
#endif
    }

    std::array<bool, 256> stops_{};
    bool printableNeverStops_ = true;
};

} // namespace zl
