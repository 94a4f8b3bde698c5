// The number of zero bits below the lowest set bit of a word: one
// instruction through the compiler's builtin or intrinsic where it has one,
// else a loop over the bits.
#pragma once

#include <cstdint>

#if defined(_MSC_VER) && !defined(__clang__)
#include <intrin.h>
#endif

namespace zl {

// `bits` must not be 0.
inline int CountTrailingZeros(std::uint32_t bits) {
#if defined(__GNUC__) || defined(__clang__)
    return __builtin_ctz(bits);
#elif defined(_MSC_VER)
    unsigned long index = 0;
    _BitScanForward(&index, bits);
    return static_cast<int>(index);
#else
    int count = 0;
    for (; (bits & 1u) == 0; bits >>= 1)
        ++count;
    return count;
#endif
}

// `bits` must not be 0.
inline int CountTrailingZeros(std::uint64_t bits) {
#if defined(__GNUC__) || defined(__clang__)
    return __builtin_ctzll(bits);
#elif defined(_MSC_VER) && (defined(_M_X64) || defined(_M_ARM64))
    unsigned long index = 0;
    _BitScanForward64(&index, bits);
    return static_cast<int>(index);
#else
    const auto low = static_cast<std::uint32_t>(bits);
    return low != 0 ? CountTrailingZeros(low)
                    : 32 + CountTrailingZeros(static_cast<std::uint32_t>(bits >> 32));
#endif
}

} // namespace zl
