// The bytes of a listing's input that end a run of ordinary characters, and
// a fast search for the next of them. Printable ASCII is the bulk of every
// text file, so when none of it stops a run the search passes it sixteen
// bytes at a time (GCC's and Clang's vector types: SSE2 on x86, NEON on
// ARM; other compilers test the sixteen one by one).
#pragma once

#include "platform/TrailingZeros.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

    // True when no printable ASCII byte stops a run: then the bytes that do
    // are among those NotPrintable marks.
    bool PrintableNeverStops() const { return printableNeverStops_; }

    // The first byte of [next, end) that stops a run; `end` when none does.
    const unsigned char* FindIn(const unsigned char* next, const unsigned char* end) const {
        if (printableNeverStops_) {
            while (end - next >= kBlock) {
                const unsigned marked = NotPrintable(next);
                if (marked == 0) {
                    next += kBlock;
                    continue;
                }
                next += CountTrailingZeros(marked);
                if (stops_[*next])
                    return next;
                ++next;
            }
        }
        while (next != end && !stops_[*next])
            ++next;
        return next;
    }

    // The sixteen bytes at `bytes` that are not printable ASCII, bit i for
    // byte i; and those that are `byte`.
    static unsigned NotPrintable(const unsigned char* bytes) {
#if defined(__GNUC__)
        // One more than a printable byte is 0x21 to 0x7f; one more than any
        // other is below 0x21 as a signed byte (0x7f and up wrap to 0x80 and
        // up, negative, and 0xff to 0).
        // (The addition is done unsigned, where it wraps.)
        const auto wrapped = reinterpret_cast<Block>(Load<Unsigned>(bytes) + 1);
        return Bits(wrapped < kFirstPrintable + 1);
#else
        return Marked(bytes, [](unsigned char byte) {
            return byte < kFirstPrintable || byte > kLastPrintable;
        });
#endif
    }
    static unsigned Equal(const unsigned char* bytes, unsigned char byte) {
#if defined(__GNUC__)
        return Bits(Load<Block>(bytes) == static_cast<signed char>(byte));
#else
        return Marked(bytes, [byte](unsigned char each) { return each == byte; });
#endif
    }
    // Sixty-four bytes at `bytes` as NotPrintable and Equal mark them.
    static std::uint64_t NotPrintable64(const unsigned char* bytes) {
        return Join(NotPrintable(bytes), NotPrintable(bytes + 16), NotPrintable(bytes + 32),
                    NotPrintable(bytes + 48));
    }
    static std::uint64_t Equal64(const unsigned char* bytes, unsigned char byte) {
        return Join(Equal(bytes, byte), Equal(bytes + 16, byte), Equal(bytes + 32, byte),
                    Equal(bytes + 48, byte));
    }

private:
    static constexpr signed char kFirstPrintable = 0x20;
    static constexpr signed char kLastPrintable = 0x7e;
    static constexpr std::ptrdiff_t kBlock = 16;

    static std::uint64_t Join(std::uint64_t a, std::uint64_t b, std::uint64_t c, std::uint64_t d) {
        return a | b << 16 | c << 32 | d << 48;
    }

#if defined(__GNUC__)
    using Block = signed char __attribute__((vector_size(kBlock)));

    using Unsigned = unsigned char __attribute__((vector_size(kBlock)));

    template <typename Vector> static Vector Load(const unsigned char* bytes) {
        Vector block;
        std::memcpy(&block, bytes, sizeof block);
        return block;
    }

    // Bit i set for each byte i of `marked` (each 0 or all ones): SSE2's
    // movemask where there is one; else, in little-endian order, each half's
    // high bits gathered into one byte (the multiplication moves bit 8k+7 to
    // bit 56+k); else byte by byte.
    template <typename Marks> static unsigned Bits(Marks marked) {
#if defined(__SSE2__)
        return static_cast<unsigned>(_mm_movemask_epi8(reinterpret_cast<__m128i>(marked)));
#elif __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
        std::uint64_t halves[2];
        static_assert(sizeof marked == sizeof halves);
        std::memcpy(halves, &marked, sizeof halves);
        constexpr std::uint64_t kHighBits = 0x8080808080808080;
        constexpr std::uint64_t kGather = 0x0002040810204081;
        const auto low = static_cast<unsigned>(((halves[0] & kHighBits) * kGather) >> 56);
        const auto high = static_cast<unsigned>(((halves[1] & kHighBits) * kGather) >> 56);
        return low | high << 8;
#else
        unsigned char bytes[kBlock];
        std::memcpy(bytes, &marked, sizeof bytes);
        unsigned bits = 0;
        for (int i = 0; i < kBlock; ++i)
            bits |= (bytes[i] & 1u) << i;
        return bits;
#endif
    }
#else
    // Bit i set for each byte i of the sixteen at `bytes` that `marks`.
    template <typename Test> static unsigned Marked(const unsigned char* bytes, Test marks) {
        unsigned bits = 0;
        for (int i = 0; i < kBlock; ++i)
            bits |= static_cast<unsigned>(marks(bytes[i])) << i;
        return bits;
    }
#endif

    std::array<bool, 256> stops_{};
    bool printableNeverStops_ = true;
};

} // namespace zl
