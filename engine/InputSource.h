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

// A failure to open, read or decode an input: the system's error number,
// or the character set that is unknown; its message is the text users see
// ("File not found", "I/O error 5", "unknown input encoding 'x'").
class InputFailure : public Exception {
public:
    // The system's error `code` (errno), with its text.
    explicit InputFailure(int code);
    // Text that names no system error.
    explicit InputFailure(const std::string& message) : Exception(message) {}
    // The input encoding `name` is unknown.
    static InputFailure UnknownEncoding(const std::string& name);

    // 0 when the failure is not the system's.
    int SystemCode() const { return code_; }
    // The encoding that is unknown; empty for other failures.
    const std::string& UnknownEncodingName() const { return encoding_; }

private:
    int code_ = 0;
    std::string encoding_;
};

class InputSource {
public:
    virtual ~InputSource() = default;
    // Reads up to `size` bytes into `buffer`: how many it read, 0 at the end.
    // Raises InputFailure when the bytes cannot be read.
    virtual std::size_t Read(char* buffer, std::size_t size) = 0;
    // Releases the source; raises InputFailure when that fails.
    virtual void Close() = 0;
};

// Opens the input named `path`; raises InputFailure when it cannot.
using InputOpener = std::function<std::unique_ptr<InputSource>(const std::string& path)>;

} // namespace zl
