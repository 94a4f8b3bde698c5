// Where an input file's bytes come from: the file system, or a test's
// source that fails on demand. The listing reads through a buffer that
// a source fills a block at a time.
#pragma once

#include "platform/Exception.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <string>

namespace zl {

// A failure to open, read or close an input, with the text users see.
class EInOutError : public Exception {
public:
    using Exception::Exception;
};

class InputSource {
public:
    virtual ~InputSource() = default;
    // Reads up to `size` bytes into `buffer`: how many it read, 0 at the end.
    // Raises EInOutError when the bytes cannot be read.
    virtual std::size_t Read(char* buffer, std::size_t size) = 0;
    // Releases the source; raises EInOutError when that fails.
    virtual void Close() = 0;
};

// Opens the input named `path`; raises EInOutError when it cannot.
using InputOpener = std::function<std::unique_ptr<InputSource>(const std::string& path)>;

} // namespace zl
