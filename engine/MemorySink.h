// A byte sink that keeps in memory what is written to it: for tests and the
// fuzz target, which compare whole streams.
#pragma once

#include "platform/ByteSink.h"

#include <cstdint>
#include <string>

namespace zl {

class MemorySink : public ByteSink {
public:
    void Write(const void* data, std::int32_t count) override;

    // Every byte written so far, in order.
    const std::string& Bytes() const { return bytes_; }
    // Forgets all writes.
    void Clear() { bytes_.clear(); }

private:
    std::string bytes_;
};

} // namespace zl
