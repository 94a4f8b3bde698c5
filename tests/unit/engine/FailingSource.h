// A test's input source that gives its bytes a block at a time and fails
// a chosen read.
#pragma once

#include "engine/InputSource.h"

#include <cerrno>

#include <algorithm>
#include <cstddef>
#include <string>

namespace zl {
namespace test {

// An input whose reads give `bytes` a block of `blockSize` at a time and
// whose read number `failingRead` (from 1) fails, as a failing disk does;
// 0: none fails.
class FailingSource : public InputSource {
public:
    FailingSource(std::string bytes, std::size_t blockSize, int failingRead)
        : bytes_(std::move(bytes)), blockSize_(blockSize), failingRead_(failingRead) {}
    std::size_t Read(char* buffer, std::size_t size) override {
        if (++reads_ == failingRead_)
            throw InputFailure(EIO);
        const std::size_t count = std::min({size, blockSize_, bytes_.size() - at_});
        bytes_.copy(buffer, count, at_);
        at_ += count;
        return count;
    }
    void Close() override {}

private:
    std::string bytes_;
    std::size_t blockSize_;
    int failingRead_;
    int reads_ = 0;
    std::size_t at_ = 0;
};

} // namespace test
} // namespace zl
