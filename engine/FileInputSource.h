// An input read from the file system through its file descriptor.
#pragma once

#include "engine/CancelSignal.h"
#include "engine/InputSource.h"

#include <cstdint>

namespace zl {

// The text for a failure with system error number `error`: "File not found",
// "File access denied", "Too many open files", "Invalid filename", else
// "I/O error N".
std::string IoErrorMessage(int error);

class FileInputSource : public InputSource {
public:
    // Opens `path` for reading; raises InputFailure when it cannot, also for
    // a directory, and Interrupted when a stop signal ends a wait for the
    // open (a FIFO without a writer). With `cancel`, each read first raises Cancelled once the
    // stop was asked for, and a read that waits for bytes (a FIFO without
    // them, even without a writer yet) is woken by the request.
    explicit FileInputSource(const std::string& path, const CancelSignal* cancel = nullptr);
    ~FileInputSource() override;
    FileInputSource(const FileInputSource&) = delete;
    FileInputSource& operator=(const FileInputSource&) = delete;

    // A read interrupted by a signal is repeated, unless the signal asked
    // the program to stop: then it raises Interrupted.
    std::size_t Read(char* buffer, std::size_t size) override;
    void Close() override;
    // The size of a regular file when it was opened; -1 for a pipe, a FIFO
    // or a device, whose bytes are known only once read.
    std::int64_t KnownSize() const { return knownSize_; }

    // The opener of the listing: a FileInputSource for `path`.
    static std::unique_ptr<InputSource> Open(const std::string& path);
    // An opener of FileInputSources that `cancel` stops; it must outlive
    // what they read.
    static InputOpener CancellableOpener(const CancelSignal& cancel);
    // The process's standard input, read as a file is; raises InputFailure
    // when there is none.
    static std::unique_ptr<InputSource> OpenStandardInput();

private:
    // Reads the open descriptor `fd`, which it then owns.
    explicit FileInputSource(int fd);
    // Checks the open descriptor: a directory is refused (and closed); a
    // regular file's size is noted.
    void TakeOpenedFile();
    // Waits until the input has bytes to read, or its end, or a stop signal
    // (then raises Interrupted) or the cancel (then Cancelled) came.
    void WaitForBytes() const;

    int fd_ = -1;
    const CancelSignal* cancel_ = nullptr;
    std::int64_t knownSize_ = -1;
};

} // namespace zl
