// A byte sink that renders what is written to it: a listing composed into
// it comes out as pages.
#pragma once

#include "platform/ByteSink.h"
#include "platform/Exception.h"
#include "render/PclInterpreter.h"

#include <cstddef>
#include <cstdint>

namespace zl::render {

class RenderSink : public ByteSink {
public:
    explicit RenderSink(PclInterpreter& interpreter) : interpreter_(interpreter) {}

    void Write(const void* data, std::int32_t count) override {
        if (finished_)
            throw Exception("write after the end of the stream @ RenderSink::Write");
        if (count > 0)
            interpreter_.Feed(data, static_cast<std::size_t>(count));
    }

    // The end of the stream: the last page ejected.
    void Finish() override {
        if (!finished_)
            interpreter_.Finish();
        finished_ = true;
    }

private:
    PclInterpreter& interpreter_;
    bool finished_ = false;
};

} // namespace zl::render
