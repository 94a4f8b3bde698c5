#include "platform/GatheringWriter.h"

namespace zl {

bool GatheringWriter::Flush() {
    if (failed_)
        return false;
    const std::size_t used = static_cast<std::size_t>(next_ - buffer_.data());
    if (used > 0) {
        failed_ = !Deliver(buffer_.data(), used);
        next_ = buffer_.data();
    }
    return !failed_;
}

bool GatheringWriter::AppendSlow(const char* data, std::size_t count) {
    if (!Flush())
        return false;
    if (count >= buffer_.size()) {
        // Large writes go straight through rather than through the buffer.
        failed_ = !Deliver(data, count);
        return !failed_;
    }
    std::memcpy(buffer_.data(), data, count);
    next_ = buffer_.data() + count;
    return true;
}

} // namespace zl
