// An input read from the file system through its file descriptor.
#pragma once

#include "engine/InputSource.h"

namespace zl {

// The text for a failure with system error number `error`: "File not found",
// "File access denied", "Too many open files", "Invalid filename", else
// "I/O error N".
std::string IoErrorMessage(int error);

class FileInputSource : public InputSource {
public:
    // Opens `path` for reading; raises EInOutError when it cannot, also for
    // a directory.
    explicit FileInputSource(const std::string& path);
    ~FileInputSource() override;
    FileInputSource(const FileInputSource&) = delete;
    FileInputSource& operator=(const FileInputSource&) = delete;

    // A read interrupted by a signal is repeated, unless the signal asked
    // the program to stop: then it raises Interrupted.
    std::size_t Read(char* buffer, std::size_t size) override;
    void Close() override;

    // The opener of the listing: a FileInputSource for `path`.
    static std::unique_ptr<InputSource> Open(const std::string& path);

private:
    int fd_ = -1;
};

} // namespace zl
