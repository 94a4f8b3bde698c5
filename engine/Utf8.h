// One character of UTF-8 text, decoded strictly, and a character written as
// UTF-8.
#pragma once

#include "engine/InputDecoder.h"

#include <cstddef>
#include <string>

namespace zl {

// Decodes the UTF-8 character at bytes[0..count) as InputDecoder::Decode
// does: only the shortest form, no surrogates (D800-DFFF), nothing past
// U+10FFFF. An ASCII byte is a character of length 1. NeedMore only while the
// bytes so far are a valid beginning, or when count is 0.
InputDecoder::Result DecodeUtf8(const unsigned char* bytes, std::size_t count, std::size_t& length,
                                char32_t& c);

// Appends the UTF-8 form of `c` to `out`; a surrogate or a value past
// U+10FFFF becomes U+FFFD, the replacement character.
void AppendUtf8(char32_t c, std::string& out);

} // namespace zl
