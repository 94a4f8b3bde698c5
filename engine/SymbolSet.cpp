#include "engine/SymbolSet.h"

#include "engine/InputDecoder.h"
#include "engine/Utf8.h"

#include <algorithm>
#include <memory>

namespace zl {

namespace {

// The converter's name of each set. Where the converter lacks a set, its map
// has no entries and every non-ASCII character becomes '?': so on Windows,
// which has code page 437 but no code page for Roman-8.
const char* CharsetName(SymbolSet set) {
    return set == SymbolSet::Pc8 ? "IBM437" : "HP-ROMAN8";
}

// C0 controls, DEL and C1 controls (Roman-8's bytes 128..159) are no
// characters to print.
bool IsControl(char32_t c) {
    return c < 32 || (c >= 127 && c < 0xA0);
}

} // namespace

SymbolSetMap::SymbolSetMap(SymbolSet set) {
    const std::unique_ptr<InputDecoder> decoder = InputDecoder::Make(CharsetName(set));
    if (!decoder)
        return;
    // Only 128..255: IBM437's bytes 1..31 and 127 are symbols in the
    // converter's table but control codes to the printer.
    for (unsigned b = 128; b <= 255; ++b) {
        const unsigned char byte = static_cast<unsigned char>(b);
        std::size_t length = 0;
        char32_t c = 0;
        if (decoder->Decode(&byte, 1, length, c) == InputDecoder::Result::Character &&
            !IsControl(c))
            entries_.push_back({c, byte});
    }
    // Where several bytes stand for one code point, the first stays.
    std::stable_sort(entries_.begin(), entries_.end(),
                     [](const Entry& a, const Entry& b) { return a.codePoint < b.codePoint; });
    entries_.erase(
        std::unique(entries_.begin(), entries_.end(),
                    [](const Entry& a, const Entry& b) { return a.codePoint == b.codePoint; }),
        entries_.end());
}

unsigned char SymbolSetMap::ByteOf(char32_t c) const {
    if (c >= 32 && c <= 126)
        return static_cast<unsigned char>(c);
    const auto it =
        std::lower_bound(entries_.begin(), entries_.end(), c,
                         [](const Entry& entry, char32_t key) { return entry.codePoint < key; });
    return it != entries_.end() && it->codePoint == c ? it->byte : '?';
}

std::string SymbolSetMap::Text(const std::string& utf8) const {
    std::string text;
    text.reserve(utf8.size());
    const auto* bytes = reinterpret_cast<const unsigned char*>(utf8.data());
    for (std::size_t i = 0; i < utf8.size();) {
        std::size_t length = 1;
        char32_t c = 0;
        // Anything but a whole character (a cut-short one at the end too) is
        // one byte shown as '?'.
        if (DecodeUtf8(bytes + i, utf8.size() - i, length, c) == InputDecoder::Result::Character) {
            text += static_cast<char>(ByteOf(c));
            i += length;
        } else {
            text += '?';
            ++i;
        }
    }
    return text;
}

const SymbolSetMap& SymbolSetMapOf(SymbolSet set) {
    if (set == SymbolSet::Pc8) {
        static const SymbolSetMap pc8(SymbolSet::Pc8);
        return pc8;
    }
    static const SymbolSetMap roman8(SymbolSet::Roman8);
    return roman8;
}

} // namespace zl
