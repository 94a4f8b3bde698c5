// Where a stream of bytes goes: a print job, memory, a renderer. Writers
// hand over runs of bytes, not single bytes, and end the stream with Finish.
// Failures raise.
#pragma once

#include <cstdint>

namespace zl {

class ByteSink {
public:
    virtual ~ByteSink() = default;
    ByteSink(const ByteSink&) = delete;
    ByteSink& operator=(const ByteSink&) = delete;

    // Hands `count` bytes to the sink, or raises.
    virtual void Write(const void* data, std::int32_t count) = 0;

    // The end of the stream: the sink hands on whatever it still holds and
    // completes what the bytes make (a print job is ended, a renderer ejects
    // its last page), or raises when it cannot. Finishing again does
    // nothing. Nothing may be written after it: Write raises until the sink
    // is told to begin a new stream (a print job's StartJob, a memory sink's
    // Clear).
    virtual void Finish() = 0;

protected:
    ByteSink() = default;
};

} // namespace zl
