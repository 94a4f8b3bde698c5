// A byte sink that keeps in memory what is written to it: for tests and the
// fuzz target, which compare whole streams. It lends Put a small buffer of
// an odd size, as a print job lends its own, so that what they check has
// gone through Put's copies and across a buffer's end.
#pragma once

#include "platform/ByteSink.h"

#include <cstdint>
#include <string>

namespace zl {

class MemorySink : public ByteSink {
public:
    MemorySink() { Lend(lent_, lent_ + sizeof lent_); }

    void Write(const void* data, std::int32_t count) override;

    // Every byte written so far, in order.
    const std::string& Bytes();
    // Forgets all writes.
    void Clear();

private:
    // Moves what Put copied into the lent buffer to the bytes.
    void TakeLent();

    std::string bytes_;
    char lent_[1021];
};

} // namespace zl
