// A byte sink that keeps in memory what is written to it, and where each
// write ended: for a preview of a listing and for tests that compare whole
// streams or their writes.
#pragma once

#include "platform/ByteSink.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zl {

class MemorySink : public ByteSink {
public:
    // Every byte written so far, in order.
    const std::string& Bytes() const { return bytes_; }
    std::size_t WriteCount() const { return ends_.size(); }
    // The bytes of write `index` (from 0), as that one call gave them.
    std::string WriteAt(std::size_t index) const;
    // Forgets all writes.
    void Clear();

protected:
    void WriteThrough(const void* data, std::int32_t count) override;

private:
    std::string bytes_;
    std::vector<std::size_t> ends_; // where each write ended in bytes_
};

} // namespace zl
