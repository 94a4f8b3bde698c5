#include "engine/InputFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

#ifdef _WIN32
#include <io.h>
#define open _open
#define read _read
#define close _close
#define fstat _fstat
#define stat _stat
#define O_CLOEXEC 0
#else
#include <unistd.h>
#endif

namespace zl {

namespace {
constexpr std::size_t kBufferSize = 64 * 1024;
}

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

InputFile::InputFile(const std::string& path) {
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0)
        throw EInOutError(IoErrorMessage(errno));
    struct stat info {};
    if (::fstat(fd_, &info) != 0 || (info.st_mode & S_IFMT) == S_IFDIR) {
        int error = (info.st_mode & S_IFMT) == S_IFDIR ? EISDIR : errno;
        ::close(fd_);
        fd_ = -1;
        throw EInOutError(IoErrorMessage(error));
    }
    buffer_.resize(kBufferSize);
    next_ = end_ = buffer_.data();
}

InputFile::~InputFile() {
    if (fd_ >= 0)
        ::close(fd_);
}

bool InputFile::Refill() {
    if (fd_ < 0)
        return false;
    for (;;) {
        auto count = ::read(fd_, buffer_.data(), static_cast<unsigned>(buffer_.size()));
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            throw EInOutError(IoErrorMessage(errno));
        next_ = buffer_.data();
        end_ = next_ + count;
        return count > 0;
    }
}

void InputFile::Close() {
    if (fd_ < 0)
        return;
    int result = ::close(fd_);
    fd_ = -1;
    next_ = end_ = buffer_.data();
    if (result != 0)
        throw EInOutError(IoErrorMessage(errno));
}

} // namespace zl
