// The printer's symbol sets that listings print from, and the bytes that
// stand for Unicode characters in them.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zl {

enum class SymbolSet { Pc8, Roman8, WindowsLatin1, WindowsLatin2, Latin5 };

// What the program knows of a symbol set: the ID that selects it on the
// printer (ESC ( ID) and the system converter's name for the same
// characters (glibc iconv; on Windows the code page of that name, and for
// Roman-8, which has none, a table generated from iconv's).
struct SymbolSetInfo {
    SymbolSet set;
    const char* pclId;         // "10U"
    const char* converterName; // "IBM437"
    // Bytes 128..159 are controls to the printer (the ISO sets, Roman-8),
    // else characters (PC-8, the Windows sets).
    bool upperControls;
    const char* covers; // what the set adds to ASCII, in a few words
};

// Every set the program knows, PC-8 first.
const std::vector<SymbolSetInfo>& KnownSymbolSets();
const SymbolSetInfo& InfoOf(SymbolSet set);
// The set a PCL ID names ("19U", any case); none for an ID the program does
// not know.
std::optional<SymbolSet> SymbolSetOfId(const std::string& id);

// Unicode characters to the bytes of a printer symbol set, built with the
// system's character converter, never from tables typed in by hand.
class SymbolSetMap {
public:
    explicit SymbolSetMap(SymbolSet set);
    // The byte that stands for `c` in the set; '?' when the set has none.
    // 32..126 map to themselves; below 32 and 127 are not characters here: '?'.
    unsigned char ByteOf(char32_t c) const;
    // The same, false when the set has no byte for `c`.
    bool Find(char32_t c, unsigned char& byte) const;
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
