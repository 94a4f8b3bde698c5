// A byte sink that renders what is written to it: a listing composed into
// it comes out as pages. One-byte writes gather in a small buffer that goes
// to the interpreter before any other write and at Finish.
#pragma once

#include "platform/ByteSink.h"
#include "render/PclInterpreter.h"

#include <cstddef>
#include <cstdint>

namespace zl::render {

class RenderSink : public ByteSink {
public:
    explicit RenderSink(PclInterpreter& interpreter) : interpreter_(interpreter) {
        Rewind();
        OfferWindow(&window_);
    }

    // Hands the gathered bytes to the interpreter.
    void Flush() {
        const auto count = static_cast<std::size_t>(window_.next - buffer_);
        Rewind();
        if (count > 0)
            interpreter_.Feed(buffer_, count);
    }

    // The end of the stream: everything fed, the last page ejected.
    void Finish() {
        Flush();
        interpreter_.Finish();
    }

protected:
    void WriteThrough(const void* data, std::int32_t count) override {
        Flush();
        if (count > 0)
            interpreter_.Feed(data, static_cast<std::size_t>(count));
    }

private:
    void Rewind() {
        window_.next = buffer_;
        window_.limit = buffer_ + sizeof buffer_;
    }

    PclInterpreter& interpreter_;
    char buffer_[4096];
    ByteWindow window_;
};

} // namespace zl::render
