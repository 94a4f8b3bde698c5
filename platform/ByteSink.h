// Where a stream of bytes goes: a print job, memory, a renderer. One call per
// piece; failures raise. Writers hand over runs of bytes, not single bytes:
// a sink need not gather them.
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

protected:
    ByteSink() = default;
};

} // namespace zl
