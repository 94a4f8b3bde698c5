// Gathers the many small pieces a writer makes in a buffer of its own and
// hands them to a byte sink in whole chunks, one Write each. Small pieces
// are copied in place without a call, and a writer may store straight into
// the buffer's free part.
//
// Chunks end at the multiples of the chunk size in the stream, also after
// a Flush of less: a print job, which gathers as much and passes a write
// as large as its buffer straight on, then hands the print service whole
// chunks and copies no byte twice but those of the stream's first chunk
// and its end.
#pragma once

#include "platform/ByteSink.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

namespace zl {

class BufferedSinkWriter {
public:
    // A print job's buffer: what it passes straight on.
    static constexpr std::size_t kChunkSize = 64 * 1024;

    explicit BufferedSinkWriter(std::size_t chunkSize = kChunkSize);

    // Writes go to `sink` from now on, a stream of their own, nothing
    // gathered.
    void Start(ByteSink& sink) {
        Drop();
        sink_ = &sink;
    }
    // Hands `sink` what is gathered, and ends the writes to it.
    void End() {
        Flush();
        sink_ = nullptr;
    }
    // Ends the writes to the sink, dropping what is gathered: after a
    // failure, nothing more of the stream goes out.
    void Drop() {
        sink_ = nullptr;
        handedInChunk_ = 0;
        next_ = buffer_.get();
        end_ = next_ + chunkSize_;
    }

    // Takes `count` bytes, handing the sink each chunk they fill.
    void Put(const void* data, std::int32_t count) {
        if (count > 0 && count <= end_ - next_) {
            CopyBytes(next_, static_cast<const char*>(data), count);
            next_ += count;
        } else if (count > 0) {
            PutAcrossChunks(static_cast<const char*>(data), static_cast<std::size_t>(count));
        }
    }

    // For writers that store pieces in place: the buffer's free part,
    // [next, end). Stores may go anywhere in it; Keep(end) then takes what
    // lies before `end` as written.
    struct Room {
        char* next;
        char* end;
    };
    Room Free() const { return {next_, end_}; }
    void Keep(char* end) { next_ = end; }

    // Hands the sink what is gathered, a chunk or less, now.
    void Flush();

private:
    void PutAcrossChunks(const char* data, std::size_t count);

    // memcpy in place, for the pieces writers put: each size class in
    // fixed-size copies, the last of which ends where the piece ends and may
    // overlap the one before.
    static void CopyBytes(char* to, const char* from, std::int32_t count) {
        const auto size = static_cast<std::size_t>(count);
        if (size > 32) {
            // Up to 64 bytes in four copies, whatever the size: a loop's
            // end would be mispredicted with every size.
            CopyFixed<16>(to, from);
            CopyFixed<16>(to + 16, from + 16);
            std::size_t done = 32;
            for (; done + 32 < size; done += 16)
                CopyFixed<16>(to + done, from + done);
            CopyFixed<16>(to + size - 32, from + size - 32);
            CopyFixed<16>(to + size - 16, from + size - 16);
        } else if (size >= 16) {
            CopyFixed<16>(to, from);
            CopyFixed<16>(to + size - 16, from + size - 16);
        } else if (size >= 8) {
            CopyFixed<8>(to, from);
            CopyFixed<8>(to + size - 8, from + size - 8);
        } else if (size >= 4) {
            CopyFixed<4>(to, from);
            CopyFixed<4>(to + size - 4, from + size - 4);
        } else { // 1 to 3
            to[0] = from[0];
            to[size / 2] = from[size / 2];
            to[size - 1] = from[size - 1];
        }
    }
    template <std::size_t N> static void CopyFixed(char* to, const char* from) {
        std::memcpy(to, from, N);
    }

    std::size_t chunkSize_;
    std::unique_ptr<char[]> buffer_;
    char* next_;
    char* end_; // where the stream's chunk ends
    // What the sink was handed since the stream's last multiple of the
    // chunk size.
    std::size_t handedInChunk_ = 0;
    ByteSink* sink_ = nullptr;
};

} // namespace zl
