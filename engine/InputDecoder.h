// The characters of a file's bytes in one encoding: UTF-8, none at all, or a
// character set the system's converter knows.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

namespace zl {

// Reads the characters of a file's bytes in one encoding.
class InputDecoder {
public:
    virtual ~InputDecoder() = default;
    // "auto": UTF-8; "raw": no characters at all; anything else: a character
    // set the system's converter knows (iconv names such as "latin1",
    // "cp1252", "IBM850"). Null for a name the converter does not know (the
    // command line makes that a usage error).
    static std::unique_ptr<InputDecoder> Make(const std::string& encoding);
    // Whether a byte may begin a character to decode; bytes for which this is
    // false are handled as they are. "raw": never. "auto": bytes 128..255
    // only. Other encodings: every byte except 0..31 and 127 (those keep
    // their role in the listing and are never decoded).
    virtual bool MayBegin(unsigned char byte) const = 0;
    enum class Result { Character, NotACharacter, NeedMore };
    // Decodes one character at bytes[0..count). Character: `length` bytes
    // form character `c`. NotACharacter: bytes[0] begins no well-formed
    // character; the caller handles that one byte as it is. NeedMore:
    // bytes[0..count) is a proper beginning of a character that continues
    // past `count`; the caller calls again with more bytes, or, at the end of
    // the input, treats bytes[0] as NotACharacter.
    virtual Result Decode(const unsigned char* bytes, std::size_t count, std::size_t& length,
                          char32_t& c) = 0;
};

} // namespace zl
