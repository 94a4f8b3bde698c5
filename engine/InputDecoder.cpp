#include "engine/InputDecoder.h"

#include "engine/SystemDecoder.h"
#include "engine/Utf8.h"

namespace zl {

namespace {

// "raw": every byte is handled as it is.
class RawDecoder final : public InputDecoder {
public:
    bool MayBegin(unsigned char) const override { return false; }
    Result Decode(const unsigned char*, std::size_t, std::size_t&, char32_t&) override {
        return Result::NotACharacter;
    }
};

// "auto": UTF-8; ASCII bytes are handled as they are.
class Utf8Decoder final : public InputDecoder {
public:
    bool MayBegin(unsigned char byte) const override { return byte >= 0x80; }
    Result Decode(const unsigned char* bytes, std::size_t count, std::size_t& length,
                  char32_t& c) override {
        return DecodeUtf8(bytes, count, length, c);
    }
};

} // namespace

std::unique_ptr<InputDecoder> InputDecoder::Make(const std::string& encoding) {
    if (encoding == "auto")
        return std::make_unique<Utf8Decoder>();
    if (encoding == "raw")
        return std::make_unique<RawDecoder>();
    return MakeSystemDecoder(encoding);
}

} // namespace zl
