#include "printing/GatheringWriter.h"

namespace zl {

void GatheringWriter::Accept(bool accepting) {
    if (accepting) {
        window_.next = buffer_.data();
        failed_ = false;
    }
    accepting_ = accepting;
    window_.limit = accepting ? end_ : buffer_.data();
}

void GatheringWriter::Fail() {
    failed_ = true;
    window_.next = window_.limit = buffer_.data();
}

bool GatheringWriter::Flush() {
    if (failed_)
        return false;
    const std::size_t used = static_cast<std::size_t>(window_.next - buffer_.data());
    window_.next = buffer_.data();
    if (used > 0 && !Deliver(buffer_.data(), used))
        Fail();
    return !failed_;
}

bool GatheringWriter::Append(const void* data, std::size_t count) {
    if (!accepting_ || failed_)
        return false;
    if (count <= static_cast<std::size_t>(end_ - window_.next)) {
        if (count > 0)
            std::memcpy(window_.next, data, count);
        window_.next += count;
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
    std::memcpy(window_.next, data, count);
    window_.next += count;
    return true;
}

} // namespace zl
