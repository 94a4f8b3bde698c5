// Decoders for the character sets of the system's converter: iconv, or the
// Windows code pages.
#pragma once

#include "engine/InputDecoder.h"

#include <memory>
#include <string>

namespace zl {

// A decoder for the named character set; null when the converter does not
// know it. Bytes 0..31 and 127 never begin a character.
std::unique_ptr<InputDecoder> MakeSystemDecoder(const std::string& name);

} // namespace zl
