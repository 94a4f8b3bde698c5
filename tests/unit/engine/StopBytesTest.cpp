#include "engine/StopBytes.h"

#include <gtest/gtest.h>

#include <string>

namespace zl {
namespace {

// The search finds the first stopping byte wherever it falls in or across
// the blocks it reads, and passes bytes outside printable ASCII that do not
// stop, and printable ones that do.
TEST(StopBytesTest, FindsTheFirstStoppingByteAtEveryPosition) {
    std::array<bool, 256> table{};
    table['\n'] = table['\t'] = table[0xc3] = true;
    StopBytes stops;
    stops.Assign(table);
    std::array<bool, 256> withLetter = table;
    withLetter['x'] = true;
    StopBytes letterStops;
    letterStops.Assign(withLetter);
    for (const char stop : {'\n', '\t', '\xc3'}) {
        for (std::size_t at = 0; at < 40; ++at) {
            std::string text(48, 'a');
            text[at] = stop;
            if (at > 2)
                text[at / 2] = '\x1b'; // not printable, not stopping
            if (at + 1 < text.size())
                text[at + 1] = '\n'; // a later stop is not the first
            const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
            EXPECT_EQ(stops.FindIn(bytes, bytes + text.size()) - bytes, at) << at;
            EXPECT_EQ(stops.FindIn(bytes, bytes + at), bytes + at) << "none before " << at;
            text[at / 3] = 'x';
            EXPECT_EQ(letterStops.FindIn(bytes, bytes + text.size()) - bytes, at / 3) << at;
        }
    }
}

} // namespace
} // namespace zl
