#include "engine/InputFile.h"

#include "engine/FileInputSource.h"

#include <cstring>

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
    read_ += count;
    return count > 0;
}

bool InputFile::EnsureAhead(std::size_t count) {
    std::size_t ahead = static_cast<std::size_t>(end_ - next_);
    if (ahead >= count)
        return true;
    if (!source_ || count > buffer_.size())
        return false;
    // The bytes not yet taken move to the buffer's start; the reads go behind them.
    char* const start = buffer_.data();
    std::memmove(start, next_, ahead);
    next_ = start;
    end_ = start + ahead;
    while (ahead < count) {
        const std::size_t read = source_->Read(start + ahead, buffer_.size() - ahead);
        if (read == 0)
            return false;
        ahead += read;
        end_ = start + ahead;
        read_ += read;
    }
    return true;
}

void InputFile::Close() {
    if (!source_)
        return;
    std::unique_ptr<InputSource> source = std::move(source_);
    next_ = end_ = buffer_.data();
    source->Close();
}

} // namespace zl
