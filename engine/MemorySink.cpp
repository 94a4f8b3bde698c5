#include "engine/MemorySink.h"

#include "platform/Exception.h"

namespace zl {

std::string MemorySink::WriteAt(std::size_t index) const {
    const std::size_t start = index == 0 ? 0 : ends_.at(index - 1);
    return bytes_.substr(start, ends_.at(index) - start);
}

void MemorySink::Clear() {
    bytes_.clear();
    ends_.clear();
}

void MemorySink::WriteThrough(const void* data, std::int32_t count) {
    if (count < 0)
        throw Exception("negative byte count @ MemorySink::Write");
    bytes_.append(static_cast<const char*>(data), static_cast<std::size_t>(count));
    ends_.push_back(bytes_.size());
}

} // namespace zl
