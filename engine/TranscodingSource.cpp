#include "engine/TranscodingSource.h"

#include "engine/Utf8.h"

#include <algorithm>
#include <cstring>

namespace zl {

namespace {

constexpr std::size_t kBlock = 64 * 1024;
// The longest character of any encoding the converter knows, in bytes.
constexpr std::size_t kLongestCharacter = 16;
constexpr char32_t kReplacement = 0xFFFD;

} // namespace

bool ReadsAsciiAsAscii(InputDecoder& decoder) {
    for (unsigned char byte = 0; byte < 128; ++byte) {
        std::size_t length = 0;
        char32_t c = 0;
        if (decoder.Decode(&byte, 1, length, c) != InputDecoder::Result::Character || length != 1 ||
            c != byte)
            return false;
    }
    return true;
}

TranscodingSource::TranscodingSource(std::unique_ptr<InputSource> source,
                                     std::unique_ptr<InputDecoder> decoder)
    : source_(std::move(source)), decoder_(std::move(decoder)) {}

std::size_t TranscodingSource::Read(char* buffer, std::size_t size) {
    while (handed_ == text_.size()) {
        text_.clear();
        handed_ = 0;
        if (!DecodeMore())
            return 0;
    }
    const std::size_t count = std::min(size, text_.size() - handed_);
    std::memcpy(buffer, text_.data() + handed_, count);
    handed_ += count;
    return count;
}

bool TranscodingSource::DecodeMore() {
    // Keeps the undecoded rest and reads a block behind it.
    bytes_.erase(bytes_.begin(), bytes_.begin() + static_cast<std::ptrdiff_t>(decoded_));
    decoded_ = 0;
    if (!ended_) {
        const std::size_t kept = bytes_.size();
        bytes_.resize(kept + kBlock);
        const std::size_t read =
            source_->Read(reinterpret_cast<char*>(bytes_.data() + kept), kBlock);
        bytes_.resize(kept + read);
        ended_ = read == 0;
    }
    if (bytes_.empty())
        return !ended_;
    // Decodes all but a short tail that may hold the beginning of a
    // character, unless the input has ended.
    const std::size_t stop =
        ended_ ? bytes_.size() : bytes_.size() - std::min(bytes_.size(), kLongestCharacter);
    while (decoded_ < stop) {
        std::size_t length = 0;
        char32_t c = 0;
        const std::size_t count = bytes_.size() - decoded_;
        const InputDecoder::Result result =
            decoder_->Decode(bytes_.data() + decoded_, count, length, c);
        if (result == InputDecoder::Result::Character && length > 0 && length <= count) {
            AppendUtf8(c, text_);
            decoded_ += length;
        } else if (result == InputDecoder::Result::NeedMore && !ended_) {
            break;
        } else {
            AppendUtf8(kReplacement, text_);
            ++decoded_;
        }
    }
    return true;
}

} // namespace zl
