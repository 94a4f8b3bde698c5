#include "platform/GatheringWriter.h"

namespace zl {

void GatheringWriter::Accept(bool accepting) {
    if (accepting) {
        next_ = buffer_.data();
        failed_ = false;
    }
    accepting_ = accepting;
    limit_ = accepting ? end_ : buffer_.data();
}

void GatheringWriter::Fail() {
    failed_ = true;
    next_ = limit_ = buffer_.data();
}

bool GatheringWriter::Flush() {
    if (failed_)
        return false;
    const std::size_t used = static_cast<std::size_t>(next_ - buffer_.data());
    next_ = buffer_.data();
    if (used > 0 && !Deliver(buffer_.data(), used))
        Fail();
    return !failed_;
}

bool GatheringWriter::Append(const void* data, std::size_t count) {
    if (!accepting_ || failed_)
        return false;
    if (count <= static_cast<std::size_t>(end_ - next_)) {
        if (count > 0)
            std::memcpy(next_, data, count);
        next_ += count;
        return true;
    }
    if (!Flush())
        return false;
    if (count >= buffer_.size()) {
        // Large writes go straight through rather than through the buffer.
        if (!Deliver(static_cast<const char*>(data), count))
            Fail();
        return !failed_;
    }
    std::memcpy(next_, data, count);
    next_ += count;
    return true;
}

} // namespace zl
