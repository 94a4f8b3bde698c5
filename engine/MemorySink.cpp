#include "engine/MemorySink.h"

#include "platform/Exception.h"

namespace zl {

void MemorySink::Write(const void* data, std::int32_t count) {
    if (count < 0)
        throw Exception("negative byte count @ MemorySink::Write");
    TakeLent();
    bytes_.append(static_cast<const char*>(data), static_cast<std::size_t>(count));
}

const std::string& MemorySink::Bytes() {
    TakeLent();
    return bytes_;
}

void MemorySink::Clear() {
    bytes_.clear();
    Lend(lent_, lent_ + sizeof lent_);
}

void MemorySink::TakeLent() {
    bytes_.append(lent_, static_cast<std::size_t>(LentNext() - lent_));
    Lend(lent_, lent_ + sizeof lent_);
}

} // namespace zl
