// The Unicode character each byte of a printer symbol set prints as: the
// reverse of engine/SymbolSet's map, from the same system converter.
#pragma once

#include "engine/SymbolSet.h"

namespace zl::render {

// What byte `byte` prints in `set`: 32..126 are ASCII; 128..255 come from
// the converter ("IBM437", "CP1252"); 0 for the bytes that print nothing
// (controls, DEL, C1 controls and those the converter lacks).
char32_t CharOfByte(SymbolSet set, unsigned char byte);

} // namespace zl::render
