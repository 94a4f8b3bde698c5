// The Unicode character each byte of a printer symbol set prints as: the
// reverse of engine/SymbolSet's map, from the same system converter.
#pragma once

#include "engine/SymbolSet.h"

namespace zl::render {

// What byte `byte` prints in `set`: 32..126 are ASCII; 128..255 come from
// the converter ("IBM437", "HP-ROMAN8"); 0 for the bytes that print nothing
// (controls, DEL, Roman-8's 128..159 and those the converter lacks).
char32_t CharOfByte(SymbolSet set, unsigned char byte);

} // namespace zl::render
