#include "platform/BufferedSinkWriter.h"

#include <algorithm>

namespace zl {

BufferedSinkWriter::BufferedSinkWriter(std::size_t chunkSize)
    : chunkSize_(chunkSize), buffer_(new char[chunkSize]), next_(buffer_.get()),
      end_(buffer_.get() + chunkSize) {}

void BufferedSinkWriter::Flush() {
    const auto gathered = static_cast<std::size_t>(next_ - buffer_.get());
    // Emptied first: after a sink raised, none of it goes out later.
    handedInChunk_ = (handedInChunk_ + gathered) % chunkSize_;
    next_ = buffer_.get();
    end_ = next_ + (chunkSize_ - handedInChunk_);
    if (gathered > 0)
        sink_->Write(buffer_.get(), static_cast<std::int32_t>(gathered));
}

// The piece fills the chunk up to its end, so that the sink gets whole
// chunks, and goes on in the next.
void BufferedSinkWriter::PutAcrossChunks(const char* data, std::size_t count) {
    while (count > 0) {
        if (next_ == end_)
            Flush();
        const std::size_t piece = std::min(count, static_cast<std::size_t>(end_ - next_));
        std::memcpy(next_, data, piece);
        next_ += piece;
        data += piece;
        count -= piece;
    }
}

} // namespace zl
