#include "render/SymbolSetChars.h"

#include "engine/InputDecoder.h"

#include <array>
#include <memory>
#include <vector>

namespace zl::render {

namespace {

using ByteTable = std::array<char32_t, 256>;

ByteTable BuildTable(SymbolSet set) {
    ByteTable table{};
    for (unsigned b = 32; b <= 126; ++b)
        table[b] = b;
    const std::unique_ptr<InputDecoder> decoder = InputDecoder::Make(InfoOf(set).converterName);
    if (!decoder) // a converter without the set: only ASCII prints
        return table;
    for (unsigned b = 128; b <= 255; ++b) {
        const unsigned char byte = static_cast<unsigned char>(b);
        std::size_t length = 0;
        char32_t c = 0;
        // C1 controls (128..159 of Roman-8 and the ISO sets) print nothing.
        if (decoder->Decode(&byte, 1, length, c) == InputDecoder::Result::Character &&
            !(c >= 0x80 && c < 0xA0))
            table[b] = c;
    }
    return table;
}

} // namespace

char32_t CharOfByte(SymbolSet set, unsigned char byte) {
    // Built once, on first use (a thread-safe static).
    static const std::vector<ByteTable> tables = [] {
        std::vector<ByteTable> built;
        for (const SymbolSetInfo& info : KnownSymbolSets())
            built.push_back(BuildTable(info.set));
        return built;
    }();
    return tables[static_cast<std::size_t>(set)][byte];
}

} // namespace zl::render
