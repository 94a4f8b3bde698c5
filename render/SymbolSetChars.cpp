#include "render/SymbolSetChars.h"

#include "engine/InputDecoder.h"

#include <array>
#include <memory>

namespace zl::render {

namespace {

using ByteTable = std::array<char32_t, 256>;

ByteTable BuildTable(const char* charsetName) {
    ByteTable table{};
    for (unsigned b = 32; b <= 126; ++b)
        table[b] = b;
    const std::unique_ptr<InputDecoder> decoder = InputDecoder::Make(charsetName);
    if (!decoder) // a converter without the set: only ASCII prints
        return table;
    for (unsigned b = 128; b <= 255; ++b) {
        const unsigned char byte = static_cast<unsigned char>(b);
        std::size_t length = 0;
        char32_t c = 0;
        // C1 controls (Roman-8's 128..159) print nothing.
        if (decoder->Decode(&byte, 1, length, c) == InputDecoder::Result::Character &&
            !(c >= 0x80 && c < 0xA0))
            table[b] = c;
    }
    return table;
}

} // namespace

char32_t CharOfByte(SymbolSet set, unsigned char byte) {
    // Built once each, on first use (thread-safe statics).
    if (set == SymbolSet::Pc8) {
        static const ByteTable pc8 = BuildTable("IBM437");
        return pc8[byte];
    }
    static const ByteTable roman8 = BuildTable("HP-ROMAN8");
    return roman8[byte];
}

} // namespace zl::render
