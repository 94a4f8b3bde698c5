#include "engine/InputFile.h"

#include "engine/FileInputSource.h"

namespace zl {

namespace {
constexpr std::size_t kBufferSize = 64 * 1024;
}

InputFile::InputFile(const std::string& path) : InputFile(FileInputSource::Open(path)) {}

InputFile::InputFile(std::unique_ptr<InputSource> source)
    : source_(std::move(source)), buffer_(kBufferSize) {
    next_ = end_ = buffer_.data();
}

bool InputFile::Refill() {
    if (!source_)
        return false;
    const std::size_t count = source_->Read(buffer_.data(), buffer_.size());
    next_ = buffer_.data();
    end_ = next_ + count;
    return count > 0;
}

void InputFile::Close() {
    if (!source_)
        return;
    std::unique_ptr<InputSource> source = std::move(source_);
    next_ = end_ = buffer_.data();
    source->Close();
}

} // namespace zl
