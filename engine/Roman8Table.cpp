#include "engine/Roman8Table.h"

namespace zl {

namespace {

constexpr unsigned kFirstTabulated = 160;

constexpr char32_t kUpperHalf[] = {
#include "engine/Roman8Table.inc"
};
static_assert(sizeof kUpperHalf / sizeof kUpperHalf[0] == 256 - kFirstTabulated);

} // namespace

std::optional<char32_t> Roman8Character(unsigned char byte) {
    if (byte < kFirstTabulated)
        return byte;
    const char32_t c = kUpperHalf[byte - kFirstTabulated];
    if (c == 0)
        return std::nullopt;
    return c;
}

} // namespace zl
