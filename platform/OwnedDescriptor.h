// A file descriptor (a pipe's end, a socket, an open file) that is closed
// when its owner goes: it moves but is never copied, so it is closed once.
#pragma once

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include <utility>

namespace zl {

class OwnedDescriptor {
public:
    // -1: none.
    explicit OwnedDescriptor(int descriptor = -1) : descriptor_(descriptor) {}
    OwnedDescriptor(OwnedDescriptor&& other) noexcept
        : descriptor_(std::exchange(other.descriptor_, -1)) {}
    OwnedDescriptor& operator=(OwnedDescriptor&& other) noexcept {
        std::swap(descriptor_, other.descriptor_);
        return *this;
    }
    ~OwnedDescriptor() {
        if (descriptor_ >= 0) {
#ifdef _WIN32
            ::_close(descriptor_);
#else
            ::close(descriptor_);
#endif
        }
    }

    int Get() const {
        return descriptor_;
    }

private:
    int descriptor_;
};

} // namespace zl
