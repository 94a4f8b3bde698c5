// The printer's symbol sets and the bytes that stand for Unicode characters
// in them: PC-8 (IBM code page 437) and HP Roman-8.
#pragma once

#include <string>
#include <vector>

namespace zl {

enum class SymbolSet { Pc8, Roman8 };

// Unicode characters to the bytes of a printer symbol set, built with the
// system's character converter (glibc iconv: "IBM437", "HP-ROMAN8"), never
// from tables typed in by hand.
class SymbolSetMap {
public:
    explicit SymbolSetMap(SymbolSet set);
    // The byte that stands for `c` in the set; '?' when the set has none.
    // 32..126 map to themselves; below 32 and 127 are not characters here: '?'.
    unsigned char ByteOf(char32_t c) const;
    // System text (UTF-8) as the set's bytes, one byte per character:
    // each well-formed UTF-8 character mapped with ByteOf, every byte that
    // does not begin a well-formed sequence and every control byte (below 32,
    // 127) as '?'.
    std::string Text(const std::string& utf8) const;

private:
    struct Entry {
        char32_t codePoint;
        unsigned char byte;
    };
    std::vector<Entry> entries_; // bytes 128..255, sorted by code point
};

// The process-wide maps, built once (thread-safe static).
const SymbolSetMap& SymbolSetMapOf(SymbolSet set);

} // namespace zl
