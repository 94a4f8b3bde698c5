#include "engine/SymbolSet.h"

#include "engine/InputDecoder.h"
#include "engine/Utf8.h"

#include <algorithm>
#include <memory>

namespace zl {

namespace {

// C0 controls and DEL are no characters to print, nor the C1 controls of the
// sets whose bytes 128..159 the printer takes as controls.
bool IsControl(char32_t c) {
    return c < 32 || (c >= 127 && c < 0xA0);
}

} // namespace

const std::vector<SymbolSetInfo>& KnownSymbolSets() {
    static const std::vector<SymbolSetInfo> sets = {
        {SymbolSet::Pc8, "10U", "IBM437", false,
         "IBM PC-8: Western European letters, box drawing, Greek for mathematics"},
        {SymbolSet::Roman8, "8U", "HP-ROMAN8", true, "HP Roman-8: Western European letters"},
        {SymbolSet::WindowsLatin1, "19U", "CP1252", false,
         "Windows Latin 1: Western European letters, curly quotes, dashes, the euro sign, "
         "trade mark, bullet"},
        {SymbolSet::WindowsLatin2, "9E", "CP1250", false,
         "Windows Latin 2: Polish, Czech, Slovak, Hungarian, Slovene, Croatian, Romanian"},
        {SymbolSet::Latin5, "5N", "ISO-8859-9", true, "ISO 8859-9 Latin 5: Turkish"},
    };
    return sets;
}

const SymbolSetInfo& InfoOf(SymbolSet set) {
    return KnownSymbolSets()[static_cast<std::size_t>(set)];
}

std::optional<SymbolSet> SymbolSetOfId(const std::string& id) {
    std::string upper = id;
    for (char& c : upper)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    for (const SymbolSetInfo& info : KnownSymbolSets())
        if (upper == info.pclId)
            return info.set;
    return std::nullopt;
}

SymbolSetMap::SymbolSetMap(SymbolSet set) {
    // Where the converter lacks a set, its map has no entries and every
    // character beyond ASCII becomes '?'.
    const SymbolSetInfo& info = InfoOf(set);
    const std::unique_ptr<InputDecoder> decoder = InputDecoder::Make(info.converterName);
    if (!decoder)
        return;
    // Only 128..255: IBM437's bytes 1..31 and 127 are symbols in the
    // converter's table but control codes to the printer.
    for (unsigned b = info.upperControls ? 160 : 128; b <= 255; ++b) {
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
    unsigned char byte = '?';
    return Find(c, byte) ? byte : '?';
}

bool SymbolSetMap::Find(char32_t c, unsigned char& byte) const {
    if (c >= 32 && c <= 126) {
        byte = static_cast<unsigned char>(c);
        return true;
    }
    const auto it =
        std::lower_bound(entries_.begin(), entries_.end(), c,
                         [](const Entry& entry, char32_t key) { return entry.codePoint < key; });
    if (it == entries_.end() || it->codePoint != c)
        return false;
    byte = it->byte;
    return true;
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

namespace {

// The map of `Set`, built on first use, once (a thread-safe static).
template <SymbolSet Set> const SymbolSetMap& MapOnce() {
    static const SymbolSetMap map(Set);
    return map;
}

} // namespace

const SymbolSetMap& SymbolSetMapOf(SymbolSet set) {
    switch (set) {
    case SymbolSet::Pc8:
        return MapOnce<SymbolSet::Pc8>();
    case SymbolSet::Roman8:
        return MapOnce<SymbolSet::Roman8>();
    case SymbolSet::WindowsLatin1:
        return MapOnce<SymbolSet::WindowsLatin1>();
    case SymbolSet::WindowsLatin2:
        return MapOnce<SymbolSet::WindowsLatin2>();
    case SymbolSet::Latin5:
        break;
    }
    return MapOnce<SymbolSet::Latin5>();
}

} // namespace zl
