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
                next += FirstMarked(halves);
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

    // The index of the first byte in memory that is set in the halves, one
    // of which is not 0: each half's high bits gathered into one byte (the
    // multiplication moves bit 8k+7 to bit 56+k), without a branch.
    static std::ptrdiff_t FirstMarked(const std::uint64_t (&halves)[2]) {
        constexpr std::uint64_t kHighBits = 0x8080808080808080;
        constexpr std::uint64_t kGather = 0x0002040810204081;
        const std::uint64_t low = ((halves[0] & kHighBits) * kGather) >> 56;
        const std::uint64_t high = ((halves[1] & kHighBits) * kGather) >> 56;
#if __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
        return __builtin_ctz(static_cast<unsigned>(low | high << 8));
#else
        return __builtin_clz(static_cast<unsigned>(high | low << 8) << 16);
#endif
    }

    std::array<bool, 256> stops_{};
    bool printableNeverStops_ = true;
};

} // namespace zl
