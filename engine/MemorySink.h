// A byte sink that keeps in memory what is written to it: for tests and the
// fuzz target, which compare whole streams.
#pragma once

#include "platform/ByteSink.h"

#include <cstdint>
#include <string>

namespace zl {

class MemorySink : public ByteSink {
public:
    MemorySink() = default;

    void Write(const void* data, std::int32_t count) override;
    void Finish() override { finished_ = true; }

    // Every byte written so far, in order.
    const std::string& Bytes() const { return bytes_; }
    // Forgets all writes and begins a new stream.
    void Clear();

private:
    std::string bytes_;
    bool finished_ = false;
};

} // namespace zl
