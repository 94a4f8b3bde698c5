#include "engine/MemorySink.h"

#include "platform/Exception.h"

namespace zl {

void MemorySink::Write(const void* data, std::int32_t count) {
    if (count < 0)
        throw Exception("negative byte count @ MemorySink::Write");
    if (finished_)
        throw Exception("write after the end of the stream @ MemorySink::Write");
    bytes_.append(static_cast<const char*>(data), static_cast<std::size_t>(count));
}

void MemorySink::Clear() {
    bytes_.clear();
    finished_ = false;
}

} // namespace zl
