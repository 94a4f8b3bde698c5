// An input in an encoding that does not read ASCII bytes as ASCII (UTF-16,
// UTF-32, EBCDIC), handed on as UTF-8: the listing then finds its line ends,
// tabs and control characters as characters, wherever their bytes fall.
#pragma once

#include "engine/InputDecoder.h"
#include "engine/InputSource.h"

#include <memory>
#include <string>
#include <vector>

namespace zl {

// True when `decoder` reads each byte 0..127 alone as that character, so its
// line ends and control bytes are the bytes the listing looks for.
bool ReadsAsciiAsAscii(InputDecoder& decoder);

class TranscodingSource : public InputSource {
public:
    TranscodingSource(std::unique_ptr<InputSource> source, std::unique_ptr<InputDecoder> decoder);

    // The UTF-8 of the characters decoded so far; a byte that begins no
    // character becomes U+FFFD, which prints as '?'.
    std::size_t Read(char* buffer, std::size_t size) override;
    void Close() override { source_->Close(); }

private:
    // Decodes what has been read into text_; false at the end of the input.
    bool DecodeMore();

    std::unique_ptr<InputSource> source_;
    std::unique_ptr<InputDecoder> decoder_;
    std::vector<unsigned char> bytes_; // read and not yet decoded
    std::size_t decoded_ = 0;          // of bytes_
    bool ended_ = false;               // the source has no more
    std::string text_;                 // decoded and not yet handed on
    std::size_t handed_ = 0;           // of text_
};

} // namespace zl
