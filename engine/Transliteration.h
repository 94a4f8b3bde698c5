// What the system's converter puts for a character that a character set
// lacks, when asked to come near it (iconv's //TRANSLIT).
#pragma once

#include <string>

namespace zl {

// The bytes in the character set `converterName` that the converter gives
// for `c` when it comes near: " " for a narrow no-break space, "-" for a
// non-breaking hyphen, "EUR" for the euro sign. Empty when it has nothing
// for it, and on Windows, whose converter does not transliterate.
std::string Transliterated(char32_t c, const char* converterName);

} // namespace zl
