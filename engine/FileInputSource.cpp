#include "engine/FileInputSource.h"

#include "platform/Interruption.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

#ifdef _WIN32
#include "platform/SystemText.h"
#include "platform/WindowsApi.h"
#include <io.h>
#define read _read
#define close _close
#define dup _dup
#define fstat _fstat
#define stat _stat
#else
#include <poll.h>
#include <unistd.h>
#endif

namespace zl {

namespace {

#ifdef _WIN32
// Binary: the bytes as they are, CR LF and byte 26 included; not inherited
// by programs this one starts.
constexpr int kOpenFlags = _O_RDONLY | _O_BINARY | _O_NOINHERIT;
#else
constexpr int kOpenFlags = O_RDONLY | O_CLOEXEC;
#endif

// The descriptor of file `path` (UTF-8) opened with `flags`, or -1 and errno.
int OpenFile(const std::string& path, int flags) {
#ifdef _WIN32
    return ::_wopen(WideOfUtf8(path).c_str(), flags);
#else
    return ::open(path.c_str(), flags);
#endif
}

// The error number of an open of `path` that failed. msvcrt says ENOENT
// also for a name that Windows finds malformed or too long: that is an
// invalid name.
int OpenError(const std::string& path) {
#ifdef _WIN32
    if (errno == ENOENT &&
        (WideOfUtf8(path).size() >= MAX_PATH || _doserrno == ERROR_INVALID_NAME ||
         _doserrno == ERROR_FILENAME_EXCED_RANGE))
        return EINVAL;
#else
    (void)path;
#endif
    return errno;
}

} // namespace

std::string IoErrorMessage(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return "File not found";
    case EACCES:
    case EPERM:
    case EISDIR:
        return "File access denied";
    case EMFILE:
    case ENFILE:
        return "Too many open files";
    case ENAMETOOLONG:
    case EINVAL:
    case EILSEQ:
        return "Invalid filename";
    default:
        return "I/O error " + std::to_string(error);
    }
}

InputFailure::InputFailure(int code) : Exception(IoErrorMessage(code)), code_(code) {}

InputFailure InputFailure::UnknownEncoding(const std::string& name) {
    InputFailure failure("unknown input encoding '" + name + "'");
    failure.encoding_ = name;
    return failure;
}

FileInputSource::FileInputSource(const std::string& path, const CancelSignal* cancel)
    : cancel_(cancel) {
    int flags = kOpenFlags;
#ifndef _WIN32
    // Opened without waiting, so that a FIFO without a writer does not hold
    // the open; its reads then wait in WaitForBytes, where a cancel wakes them.
    if (cancel_ && cancel_->WakeDescriptor() >= 0)
        flags |= O_NONBLOCK;
#endif
    // Otherwise the open of a FIFO waits for its writer; a signal ends that
    // wait, and one that asked the program to stop ends the listing.
    while ((fd_ = OpenFile(path, flags)) < 0 && errno == EINTR)
        ThrowIfStopped();
    if (fd_ < 0)
        throw InputFailure(OpenError(path));
    TakeOpenedFile();
}

FileInputSource::FileInputSource(int fd) : fd_(fd) {
    TakeOpenedFile();
}

void FileInputSource::TakeOpenedFile() {
    struct stat info {};
    if (::fstat(fd_, &info) != 0 || (info.st_mode & S_IFMT) == S_IFDIR) {
        int error = (info.st_mode & S_IFMT) == S_IFDIR ? EISDIR : errno;
        ::close(fd_);
        fd_ = -1;
        throw InputFailure(error);
    }
    if ((info.st_mode & S_IFMT) == S_IFREG)
        knownSize_ = static_cast<std::int64_t>(info.st_size);
}

FileInputSource::~FileInputSource() {
    if (fd_ >= 0)
        ::close(fd_);
}

std::size_t FileInputSource::Read(char* buffer, std::size_t size) {
    if (fd_ < 0)
        return 0;
    // A regular file's read never waits; a pipe's, a FIFO's or a terminal's
    // may, so those wait first where a stop signal or a cancel ends the wait.
    bool wait = knownSize_ < 0;
    for (;;) {
        if (cancel_)
            cancel_->ThrowIfRaised();
        if (wait)
            WaitForBytes();
        auto count = ::read(fd_, buffer, static_cast<unsigned>(size));
        if (count >= 0)
            return static_cast<std::size_t>(count);
#ifndef _WIN32
        // Opened without waiting, or left so by whoever gave the descriptor.
        wait = errno == EAGAIN || errno == EWOULDBLOCK;
        if (wait)
            continue;
#endif
        if (errno != EINTR)
            throw InputFailure(errno);
        ThrowIfStopped();
    }
}

void FileInputSource::WaitForBytes() const {
#ifndef _WIN32
    WaitForDescriptor(fd_, POLLIN, cancel_ ? cancel_->WakeDescriptor() : -1);
    if (cancel_)
        cancel_->ThrowIfRaised();
#endif
}

void FileInputSource::Close() {
    if (fd_ < 0)
        return;
    int result = ::close(fd_);
    fd_ = -1;
    if (result != 0)
        throw InputFailure(errno);
}

std::unique_ptr<InputSource> FileInputSource::Open(const std::string& path) {
    return std::make_unique<FileInputSource>(path);
}

InputOpener FileInputSource::CancellableOpener(const CancelSignal& cancel) {
    return [&cancel](const std::string& path) -> std::unique_ptr<InputSource> {
        return std::make_unique<FileInputSource>(path, &cancel);
    };
}

std::unique_ptr<InputSource> FileInputSource::OpenStandardInput() {
    // A copy of the descriptor: closing the source leaves standard input
    // open, for a second "-" on the same command line.
#ifdef _WIN32
    const int fd = ::dup(0);
    if (fd >= 0)
        _setmode(fd, _O_BINARY); // the bytes as they are, as for a file
#else
    const int fd = ::fcntl(0, F_DUPFD_CLOEXEC, 0);
#endif
    if (fd < 0)
        throw InputFailure(errno);
    return std::unique_ptr<InputSource>(new FileInputSource(fd));
}

} // namespace zl
