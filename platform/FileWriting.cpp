#include "platform/FileWriting.h"

#include "platform/Interruption.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>

#ifdef _WIN32
#include "platform/WindowsApi.h"
#include <io.h>
#include <sys/stat.h>
#else
#include <cstdio>
#include <poll.h>
#include <unistd.h>
#endif

namespace zl {

std::string ErrorText(int err) {
    return std::strerror(err);
}

#ifdef _WIN32

// Windows paths are UTF-16: the wide calls take every file name.
int CreateNewFile(const std::filesystem::path& path) {
    return ::_wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                    _S_IREAD | _S_IWRITE);
}

int OpenExisting(const std::filesystem::path& path) {
    return ::_wopen(path.c_str(), _O_WRONLY | _O_BINARY | _O_NOINHERIT);
}

int WriteAll(int fd, const char* data, std::size_t count, std::uint64_t& done) {
    done = 0;
    while (done < count) {
        const unsigned chunk = static_cast<unsigned>(std::min<std::size_t>(count - done, 1u << 30));
        const int n = ::_write(fd, data + done, chunk);
        if (n <= 0)
            return n < 0 ? errno : EIO;
        done += static_cast<unsigned>(n);
    }
    return 0;
}

int SyncToStorage(int fd) {
    return ::_commit(fd) == 0 || errno == EBADF || errno == EINVAL ? 0 : errno;
}

int CloseFile(int fd) {
    return ::_close(fd) == 0 ? 0 : errno;
}

int CutBack(int fd, std::uint64_t size) {
    const auto at = static_cast<long long>(size);
    if (const errno_t err = ::_chsize_s(fd, at))
        return err;
    return ::_lseeki64(fd, at, SEEK_SET) == at ? 0 : errno;
}

int LinkAsNew(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (::MoveFileExW(from.c_str(), to.c_str(), 0))
        return 0;
    const DWORD err = ::GetLastError();
    return err == ERROR_ALREADY_EXISTS || err == ERROR_FILE_EXISTS ? EEXIST : EIO;
}

int RenameOnto(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return 0;
    return ::GetLastError() == ERROR_ACCESS_DENIED ? EACCES : EIO;
}

bool MayWrite(const std::filesystem::path& path) {
    return ::_waccess(path.c_str(), 2) == 0;
}

#else

int CreateNewFile(const std::filesystem::path& path) {
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}

int OpenExisting(const std::filesystem::path& path) {
    return ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
}

int WriteAll(int fd, const char* data, std::size_t count, std::uint64_t& done) {
    done = 0;
    while (done < count) {
        // A stop signal ends the writing, also one that came during a write
        // that then wrote part of its bytes.
        if (StopSignal() != 0)
            return EINTR;
        const ssize_t n = ::write(fd, data + done, count - done);
        if (n < 0 && errno == EINTR)
            continue; // the loop's test tells a stop signal from another
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            // A descriptor someone left non-blocking: wait for room rather
            // than spin; a stop signal ends the wait.
            try {
                WaitForDescriptor(fd, POLLOUT);
            } catch (const Interrupted&) {
                return EINTR;
            }
            continue;
        }
        if (n <= 0)
            return n < 0 ? errno : EIO;
        done += static_cast<std::uint64_t>(n);
    }
    return 0;
}

int SyncToStorage(int fd) {
    if (::fsync(fd) == 0 || errno == EINVAL || errno == ENOTSUP)
        return 0;
    return errno;
}

int CloseFile(int fd) {
    return ::close(fd) == 0 ? 0 : errno;
}

int CutBack(int fd, std::uint64_t size) {
    const auto at = static_cast<off_t>(size);
    if (::ftruncate(fd, at) != 0 || ::lseek(fd, at, SEEK_SET) != at)
        return errno;
    return 0;
}

int LinkAsNew(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (::link(from.c_str(), to.c_str()) != 0)
        return errno;
    ::unlink(from.c_str());
    return 0;
}

int RenameOnto(const std::filesystem::path& from, const std::filesystem::path& to) {
    return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

bool MayWrite(const std::filesystem::path& path) {
    return ::access(path.c_str(), W_OK) == 0;
}

#endif

} // namespace zl
